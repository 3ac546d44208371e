#include "reports/print/AddressLabelPrintout.h"

#include "print/PageCanvas.h"
#include "reports/core/AddressSource.h"
#include "reports/print/TextFit.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace kv::reports {

AddressLabelPrintout::AddressLabelPrintout(AddressSource& addressees, const LabelPlan& plan,
                                           print::PrintFont font, QString jobName)
    : m_addressees(addressees)
    , m_plan(plan)
    , m_printFont(std::move(font))
    , m_font(m_printFont.toQFont())
    , m_jobName(std::move(jobName))
{
}

print::PageLayout AddressLabelPrintout::layout() const
{
    print::PageLayout layout;
    layout.paper = QPageSize::A4;
    layout.orientation = QPageLayout::Portrait;
    layout.jobName = m_jobName;
    return layout;
}

QStringList AddressLabelPrintout::linesOf(const PostcardAddress& address)
{
    QStringList lines;
    const QStringList digits = address.postalDigits();
    if (!digits.isEmpty())
        lines << QStringLiteral("〒") + digits.mid(0, 3).join(QString()) + u'-'
                + digits.mid(3).join(QString());
    lines << address.address1;
    if (!address.address2.isEmpty())
        lines << address.address2;
    // A label has no room for the card's padded names: one blank before
    // the honorific.
    const QString honorific = PostcardAddress::honorificText(address.honorific);
    const auto named = [&](const QString& name) {
        return honorific.isEmpty() ? name : name + u' ' + honorific;
    };
    if (address.name2.isEmpty()) {
        lines << named(address.name1);
    } else {
        lines << address.name1 << named(address.name2);
    }
    return lines;
}

print::PrintFont AddressLabelPrintout::fontOfPoints(const QString& face, int points)
{
    // A point is 254/72 tenths of a millimetre.
    return print::PrintFont{face, std::max(1, int(std::lround(points * 254.0 / 72))), 0, false};
}

void AddressLabelPrintout::paintPage(int page, QPainter& painter)
{
    print::PageCanvas canvas(painter);
    canvas.setTextColour(Qt::black);
    canvas.setFont(m_font);
    const QFontMetricsF metrics(m_font, painter.device());
    const int lineHeight = m_printFont.height;
    for (const LabelPlan::Label& label : m_plan.labels(page)) {
        const auto address = m_addressees.at(label.record);
        if (!address)
            continue;
        const QRectF inside = QRectF(label.box).adjusted(kInset, kInset, -kInset, -kInset);
        double top = inside.top();
        for (const QString& line : linesOf(*address)) {
            if (top + lineHeight > inside.bottom())
                break;
            canvas.textAt(QPointF(inside.left(), top), cutToWidth(line, inside.width(), metrics));
            top += lineHeight;
        }
    }
}

} // namespace kv::reports
