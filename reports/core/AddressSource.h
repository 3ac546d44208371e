#pragma once

#include "reports/core/PostcardAddress.h"
#include "reports/core/SelectedRows.h"

#include "data/tables/DaoRecordsets.h"

#include <optional>

namespace kv::reports {

// The addressees of a printout of postcards or labels, by their place in
// the selection.
class AddressSource {
public:
    virtual ~AddressSource();
    virtual int count() = 0;
    // None when the addressee has gone since the selection was made.
    virtual std::optional<PostcardAddress> at(int index) = 0;
};

// The customers of a selection as addressees.
class CustomerAddresses final : public AddressSource {
public:
    CustomerAddresses(data::DataStore& store, const QString& filter, const QString& sort);

    bool isOpen() const { return m_rows.isOpen(); }
    const data::EngineError& lastError() const { return m_rows.lastError(); }
    int count() override { return m_rows.count(); }
    std::optional<PostcardAddress> at(int index) override;

private:
    SelectedRows<CDaoKokSet> m_rows;
};

} // namespace kv::reports
