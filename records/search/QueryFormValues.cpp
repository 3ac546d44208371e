#include "records/search/QueryFormValues.h"

#include <algorithm>

namespace kv::records::search {
namespace {

template <typename Entry, typename Value>
void put(std::vector<Entry>& entries, const QString& column, const Value& value, bool present)
{
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const Entry& entry) { return entry.column == column; });
    if (it != entries.end())
        entries.erase(it);
    if (present)
        entries.push_back({column, value});
}

} // namespace

void QueryFormValues::setText(const QString& column, const QString& value)
{
    put(m_texts, column, value, !value.isEmpty());
}

void QueryFormValues::setNumber(const QString& column, int value)
{
    put(m_numbers, column, value, value != 0);
}

void QueryFormValues::setDate(const QString& column, const QDate& value)
{
    put(m_dates, column, value, value.isValid());
}

} // namespace kv::records::search
