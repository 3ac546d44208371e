#include "reports/core/ReportPages.h"

#include <algorithm>

namespace kv::reports {

int ReportPages::ofUnits(int recordCount, int perPage)
{
    if (recordCount <= 0 || perPage <= 0)
        return 0;
    return (recordCount + perPage - 1) / perPage;
}

std::optional<ReportPages::Span> ReportPages::offered(int pageCount, int from, int to)
{
    from = std::max(from, 1);
    if (pageCount <= 0 || from > pageCount || to < from)
        return std::nullopt;
    return Span{from, std::min(to, pageCount)};
}

CustomerVehiclePages::CustomerVehiclePages(const std::vector<int>& vehicleCounts)
{
    int used = kLinesPerPage; // a full page: the first entry opens one
    const auto place = [&](int lines, const Entry& entry) {
        const bool fresh = used + lines > kLinesPerPage;
        if (fresh) {
            m_pages.emplace_back();
            used = 0;
        }
        m_pages.back().push_back(entry);
        used += lines;
        return fresh;
    };
    for (int customer = 0; customer < int(vehicleCounts.size()); ++customer) {
        place(kCustomerLines, Entry{customer, -1});
        for (int vehicle = 0; vehicle < vehicleCounts[size_t(customer)]; ++vehicle) {
            if (used + kVehicleLines > kLinesPerPage) {
                m_pages.emplace_back();
                used = 0;
                place(kCustomerLines, Entry{customer, -1});
            }
            place(kVehicleLines, Entry{customer, vehicle});
        }
    }
}

} // namespace kv::reports
