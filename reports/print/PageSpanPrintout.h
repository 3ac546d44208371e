#pragma once

#include "print/PagePainter.h"

namespace kv::reports {

// The pages first..last (1-based) of a printout as a printout of their own:
// what a page range asked for sends to the printer, the preview or a file.
class PageSpanPrintout final : public print::PagePainter {
public:
    // The printout stays the caller's.
    PageSpanPrintout(print::PagePainter& whole, int first, int last);

    print::PageLayout layout() const override { return m_whole.layout(); }
    int pageCount() const override { return m_last - m_first + 1; }
    void paintPage(int page, QPainter& painter) override;

private:
    print::PagePainter& m_whole;
    int m_first;
    int m_last;
};

} // namespace kv::reports
