#include "reports/print/PostcardPaper.h"

#include "print/PageCanvas.h"

namespace kv::reports {

using print::PageCanvas;

print::PageLayout postcardLayout(const PostcardShift& shift, const QString& jobName)
{
    print::PageLayout layout;
    layout.paper = QPageSize::Postcard;
    layout.orientation = QPageLayout::Portrait;
    layout.colour = true;
    layout.jobName = jobName;
    // The layout point (left, -top) falls on the card's corner.
    layout.offsets.left = -shift.right;
    layout.offsets.top = shift.down;
    return layout;
}

PostcardSide::PostcardSide(const QString& shopFontFace)
    : m_text(textFont().toQFont())
    , m_digits(digitsFont().toQFont())
    , m_shopName(shopNameFont(shopFontFace).toQFont())
{
}

void PostcardSide::addressee(PageCanvas& canvas, const PostcardAddress& address, int left,
                             int addressTop, int nameTop) const
{
    canvas.setFont(m_digits);
    const QStringList digits = address.postalDigits();
    for (int i = 0; i < digits.size() && i < 7; ++i)
        canvas.textAt(QPointF(kDigitX[i], kDigitTop), digits[i]);

    canvas.setFont(m_text);
    canvas.textAt(QPointF(left, addressTop), address.address1);
    if (!address.address2.isEmpty())
        canvas.textAt(QPointF(left, addressTop + kLineHeight), address.address2);
    const QStringList names = address.nameLines();
    for (int i = 0; i < names.size(); ++i)
        canvas.textAt(QPointF(left, nameTop + i * kLineHeight), names[i]);
}

void PostcardSide::senderBlock(PageCanvas& canvas, const PostcardSender& sender, int top) const
{
    const int nameBottom = top + 60;
    canvas.setFont(m_shopName);
    canvas.text(PageCanvas::box(50, 950, top, nameBottom), sender.shopName, Qt::AlignHCenter);

    canvas.setFont(m_text);
    int line = nameBottom;
    canvas.textAt(QPointF(150, line), sender.address1);
    line += kLineHeight;
    if (!sender.address2.isEmpty()) {
        canvas.textAt(QPointF(150, line), sender.address2);
        line += kLineHeight;
    }
    canvas.textAt(QPointF(150, line), sender.telephoneLine());
    line += kLineHeight;
    canvas.frame(PageCanvas::box(50, 950, top, line), PageCanvas::pen(Qt::black, PageCanvas::kThin));
}

} // namespace kv::reports
