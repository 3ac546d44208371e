#pragma once

#include <QString>

#include <array>
#include <vector>

namespace kv::slips {

// The pages of a slip print run: every page of the first selected copy,
// then those of the next, each copy as many pages as the line grid has (30
// rows a page, at least one). A work order always prints its one copy.
class SlipPrintPages {
public:
    static constexpr int kRowsPerPage = 30;

    struct Page {
        int copy = 1;       // 1..3, the copy printed
        int pageInCopy = 1; // 1..pagesPerCopy
    };

    SlipPrintPages(int kind, int usedRows, const std::array<bool, 3>& selected);

    int pagesPerCopy() const { return m_pagesPerCopy; }
    int copyCount() const { return int(m_copies.size()); }
    int pageCount() const { return m_pagesPerCopy * copyCount(); }
    // Page p of 1..pageCount().
    Page page(int p) const;

    // The printed title of a copy of a kind.
    static QString title(int kind, int copy);
    // The profile entry ("Den" section) that selects a copy of a kind; empty
    // where the copy does not exist or is always printed.
    static QString profileKey(int kind, int copy);
    // Copies 2 and 3 of delivery notes and estimates go to the customer:
    // they carry the shop and the fold marks.
    static bool forCustomer(int kind, int copy);

    static QString noCopyMessage() { return QStringLiteral("印刷対象が指定されていません！"); }

private:
    int m_pagesPerCopy = 1;
    std::vector<int> m_copies;
};

} // namespace kv::slips
