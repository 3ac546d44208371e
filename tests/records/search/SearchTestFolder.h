#pragma once

#include "data/tables/DataStore.h"
#include "support/TempFolder.h"

#include <QString>

namespace kv::test {

// A fresh data folder (databases and default settings) opened for the
// searches, with helpers that add customers and vehicles.
class SearchTestFolder {
public:
    SearchTestFolder();
    bool isOpen() const { return m_open; }
    data::DataStore& store() { return m_store; }

    void addCustomer(int code, const QString& userName1, const QString& reading,
                     const QString& address = QString(), int vehicles = 0);
    void addVehicle(int code, int customerCode, int plateNumber, const QString& model = QString(),
                    const QString& chassis = QString(), double inspectionExpiry = -1000000.0);

private:
    TempFolder m_folder;
    data::DataStore m_store;
    bool m_open = false;
};

} // namespace kv::test
