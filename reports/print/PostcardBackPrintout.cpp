#include "reports/print/PostcardBackPrintout.h"

#include "reports/print/PostcardPaper.h"

#include <QPainter>

#include <algorithm>

namespace kv::reports {

PostcardBackPrintout::PostcardBackPrintout(QImage picture, PostcardShift shift, int copies,
                                           QString jobName)
    : m_picture(std::move(picture))
    , m_shift(shift)
    , m_copies(std::max(copies, 0))
    , m_jobName(std::move(jobName))
{
}

print::PageLayout PostcardBackPrintout::layout() const
{
    return postcardLayout(m_shift, m_jobName);
}

void PostcardBackPrintout::paintPage(int, QPainter& painter)
{
    if (m_picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0, 0, kWidth, kHeight), m_picture);
    painter.restore();
}

} // namespace kv::reports
