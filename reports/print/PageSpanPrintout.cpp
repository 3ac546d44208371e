#include "reports/print/PageSpanPrintout.h"

namespace kv::reports {

PageSpanPrintout::PageSpanPrintout(print::PagePainter& whole, int first, int last)
    : m_whole(whole)
    , m_first(first)
    , m_last(last)
{
}

void PageSpanPrintout::paintPage(int page, QPainter& painter)
{
    if (page >= 1 && page <= pageCount())
        m_whole.paintPage(m_first + page - 1, painter);
}

} // namespace kv::reports
