#include "reports/print/PostcardAddressPrintout.h"

#include "print/PageCanvas.h"
#include "reports/core/AddressSource.h"
#include "reports/print/PostcardPaper.h"

#include <QPainter>

namespace kv::reports {
namespace {

using print::PageCanvas;

// The sample card's lines and their left edge.
const QString kSampleAddress = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ");
const QString kSampleName = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸ");
constexpr int kSampleLeft = 370;
constexpr int kAddressLeft = 350;

} // namespace

PostcardAddressPrintout::PostcardAddressPrintout(AddressSource& addressees, PostcardSender sender,
                                                 PostcardShift shift, QString jobName)
    : PostcardAddressPrintout(std::move(sender), shift, std::move(jobName))
{
    m_addressees = &addressees;
}

PostcardAddressPrintout::PostcardAddressPrintout(PostcardSender sender, PostcardShift shift, QString jobName)
    : m_sender(std::move(sender))
    , m_shift(shift)
    , m_jobName(std::move(jobName))
    , m_text(textFont().toQFont())
    , m_digits(digitsFont().toQFont())
    , m_shopName(shopNameFont(m_sender.fontFace).toQFont())
{
}

print::PageLayout PostcardAddressPrintout::layout() const
{
    return postcardLayout(m_shift, m_jobName);
}

int PostcardAddressPrintout::pageCount() const
{
    return m_addressees ? m_addressees->count() : 1;
}

void PostcardAddressPrintout::paintPage(int page, QPainter& painter)
{
    PageCanvas canvas(painter);
    canvas.setTextColour(Qt::black);
    if (!m_addressees) {
        PostcardAddress sample{9999999, kSampleAddress, kSampleAddress, kSampleName, kSampleName, 1};
        addressee(canvas, sample, kSampleLeft);
    } else if (const auto address = m_addressees->at(page - 1)) {
        addressee(canvas, *address, kAddressLeft);
    }
    senderBlock(canvas);
}

void PostcardAddressPrintout::addressee(PageCanvas& canvas, const PostcardAddress& address, int left)
{
    canvas.setFont(m_digits);
    const QStringList digits = address.postalDigits();
    for (int i = 0; i < digits.size() && i < 7; ++i)
        canvas.textAt(QPointF(kDigitX[i], kDigitTop), digits[i]);

    canvas.setFont(m_text);
    canvas.textAt(QPointF(left, kAddressTop), address.address1);
    if (!address.address2.isEmpty())
        canvas.textAt(QPointF(left, kAddressTop + kLineHeight), address.address2);
    const QStringList names = address.nameLines();
    for (int i = 0; i < names.size(); ++i)
        canvas.textAt(QPointF(left, kNameTop + i * kLineHeight), names[i]);
}

void PostcardAddressPrintout::senderBlock(PageCanvas& canvas)
{
    constexpr int kNameBottom = 650;
    canvas.setFont(m_shopName);
    canvas.text(PageCanvas::box(50, 950, kSenderTop, kNameBottom), m_sender.shopName, Qt::AlignHCenter);

    canvas.setFont(m_text);
    int top = kNameBottom;
    canvas.textAt(QPointF(150, top), m_sender.address1);
    top += kLineHeight;
    if (!m_sender.address2.isEmpty()) {
        canvas.textAt(QPointF(150, top), m_sender.address2);
        top += kLineHeight;
    }
    canvas.textAt(QPointF(150, top), m_sender.telephoneLine());
    top += kLineHeight;
    canvas.frame(PageCanvas::box(50, 950, kSenderTop, top), PageCanvas::pen(Qt::black, PageCanvas::kThin));
}

} // namespace kv::reports
