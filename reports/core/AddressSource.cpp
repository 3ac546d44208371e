#include "reports/core/AddressSource.h"

namespace kv::reports {

AddressSource::~AddressSource() = default;

CustomerAddresses::CustomerAddresses(data::DataStore& store, const QString& filter, const QString& sort)
    : m_rows(store, filter, sort)
{
}

std::optional<PostcardAddress> CustomerAddresses::at(int index)
{
    const auto row = m_rows.at(index);
    if (!row)
        return std::nullopt;
    return PostcardAddress::fromCustomer(*row);
}

} // namespace kv::reports
