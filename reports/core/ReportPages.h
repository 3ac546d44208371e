#pragma once

#include "reports/core/ReportRefusal.h"

#include <optional>
#include <vector>

namespace kv::reports {

// Page counts of the reports and the pages a print offers.
namespace ReportPages {

// Records per page unit, rounded up (13 customers, 6 vehicles, 20 addresses,
// 12 reminders a page).
int ofUnits(int recordCount, int perPage);

struct Span {
    int first = 0;
    int last = 0;
    bool operator==(const Span&) const = default;
};
// The pages of a printout within the range asked for (1-based, clamped to
// the last page); none when the range starts beyond the last page, so that
// nothing is printed rather than an empty job.
std::optional<Span> offered(int pageCount, int from, int to);
// The page range asked for must not end below its start.
std::optional<ReportRefusal> check(int from, int to);

} // namespace ReportPages

// The customer and vehicle list: 35 lines a page, 3 a customer and 6 a
// vehicle. A customer's lines never split across pages, and a vehicle that
// does not fit begins the next page under its customer's lines again.
class CustomerVehiclePages {
public:
    static constexpr int kLinesPerPage = 35;
    static constexpr int kCustomerLines = 3;
    static constexpr int kVehicleLines = 6;

    struct Entry {
        int customer = 0; // 0-based in the selection
        int vehicle = -1; // 0-based among the customer's vehicles; -1 the customer's lines
        bool operator==(const Entry&) const = default;
    };
    using Page = std::vector<Entry>;

    // vehicleCounts[i]: the vehicles of the i-th customer.
    explicit CustomerVehiclePages(const std::vector<int>& vehicleCounts);

    int pageCount() const { return int(m_pages.size()); }
    const Page& page(int page) const { return m_pages.at(size_t(page - 1)); }

private:
    std::vector<Page> m_pages;
};

} // namespace kv::reports
