#pragma once

#include "data/tables/DataStore.h"
#include "support/CustomerBuilder.h"
#include "support/TempFolder.h"
#include "support/VehicleBuilder.h"

#include <QString>

namespace kv::test {

// A fresh data folder (databases and default settings) opened for the
// searches; rows go in with the record builders on store().
class SearchTestFolder {
public:
    SearchTestFolder();
    bool isOpen() const { return m_open; }
    data::DataStore& store() { return m_store; }

    // The searches' usual vehicle: plate 品川 500 あ plateNumber, maker 1.
    static VehicleBuilder vehicle(int code, int customerCode, int plateNumber);

private:
    TempFolder m_folder;
    data::DataStore m_store;
    bool m_open = false;
};

} // namespace kv::test
