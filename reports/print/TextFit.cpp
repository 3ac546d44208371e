#include "reports/print/TextFit.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

namespace kv::reports {

QString cutToWidth(const QString& text, double width, const QFontMetricsF& metrics)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    for (qsizetype end = boundaries.toNextBoundary(); end > 0; end = boundaries.toNextBoundary()) {
        if (metrics.horizontalAdvance(text.left(end)) > width)
            break;
        fits = end;
    }
    return text.left(fits);
}

} // namespace kv::reports
