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

std::optional<ReportRefusal> ReportPages::check(int from, int to)
{
    if (to < from)
        return ReportRefusal{ReportRefusal::Field::PageFrom,
                             QStringLiteral("終了ページが開始ページより小さくなっています！")};
    return std::nullopt;
}

CustomerVehiclePages::CustomerVehiclePages(const std::vector<int>& vehicleCounts)
{
    int used = kLinesPerPage; // as if a page were full: the first entry opens one
    const auto place = [&](int lines, const Entry& entry) {
        m_pages.back().push_back(entry);
        used += lines;
    };
    const auto openPage = [&] {
        m_pages.emplace_back();
        used = 0;
    };
    for (int customer = 0; customer < int(vehicleCounts.size()); ++customer) {
        if (used + kCustomerLines > kLinesPerPage)
            openPage();
        place(kCustomerLines, Entry{customer, -1});
        for (int vehicle = 0; vehicle < vehicleCounts[size_t(customer)]; ++vehicle) {
            if (used + kVehicleLines > kLinesPerPage) {
                openPage();
                place(kCustomerLines, Entry{customer, -1});
            }
            place(kVehicleLines, Entry{customer, vehicle});
        }
    }
}

} // namespace kv::reports
