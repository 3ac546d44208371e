#include "reports/print/ReminderPrintout.h"

#include "common/KVCommon.h"
#include "print/PageCanvas.h"

#include <QPainter>

namespace kv::reports {
namespace {

using print::PageCanvas;

constexpr int kAddressLeft = 370;
constexpr int kSampleAmount = 999999;

QString grouped(int amount)
{
    QString text;
    Kanma(text, amount);
    return text;
}

} // namespace

ReminderPrintout::ReminderPrintout(int count, CardOf cardOf, PostcardSender sender,
                                   PostcardShift shift, bool agencyTaxable, bool preview,
                                   QString jobName)
    : m_count(std::max(count, 0))
    , m_cardOf(std::move(cardOf))
    , m_sender(std::move(sender))
    , m_shift(shift)
    , m_agencyTaxable(agencyTaxable)
    , m_preview(preview)
    , m_jobName(std::move(jobName))
    , m_side(m_sender.fontFace)
{
    // The heading: 6.5 mm high, bold and underlined.
    m_large = print::PrintFont{print::PrintFont::kGothic, 65, 30, true}.toQFont();
    m_large.setUnderline(true);
}

ReminderCard ReminderPrintout::sampleCard(bool withCosts)
{
    ReminderCard card;
    const QString address = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ");
    const QString name = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸ");
    card.addressee = PostcardAddress{9999999, address, address, name, name, 1};
    card.vehicleName = QStringLiteral("XXXXXXXXXXXXXXXXXXXX");
    card.plate = QStringLiteral("ＸＸＸＸ999Ｘ9999");
    card.expiry = QStringLiteral("99年99月99日");
    if (withCosts) {
        card.costs = ReminderCard::Costs{kSampleAmount, kSampleAmount, kSampleAmount,
                                         kSampleAmount, kSampleAmount, kSampleAmount};
    }
    return card;
}

print::PageLayout ReminderPrintout::layout() const
{
    return postcardLayout(m_shift, m_jobName);
}

QString ReminderPrintout::caption(const char* paper, const char* preview) const
{
    return QString::fromUtf8(m_preview ? preview : paper);
}

void ReminderPrintout::paintPage(int page, QPainter& painter)
{
    PageCanvas canvas(painter);
    canvas.setTextColour(Qt::black);
    const std::optional<ReminderCard> card = m_cardOf ? m_cardOf(page - 1) : std::nullopt;
    if (card)
        m_side.addressee(canvas, card->addressee, kAddressLeft, kAddressTop, kNameTop);
    m_side.senderBlock(canvas, m_sender, kSenderTop);

    canvas.setFont(m_large);
    canvas.text(PageCanvas::box(100, 900, kHeadingTop, 815), QStringLiteral("車検満期のご案内"),
                Qt::AlignHCenter);
    if (!card)
        return;
    vehicle(canvas, *card);
    if (card->costs)
        costs(canvas, *card->costs);
}

void ReminderPrintout::vehicle(PageCanvas& canvas, const ReminderCard& card)
{
    canvas.setFont(m_side.text());
    const QString captions[] = {caption("車       名", "車      名"), QStringLiteral("登録番号"),
                                caption("満  了  日", "満 了 日")};
    const QString values[] = {card.vehicleName, card.plate, card.expiry};
    for (int i = 0; i < 3; ++i) {
        const int top = kVehicleTop + i * kLineHeight;
        canvas.textAt(QPointF(150, top), captions[i]);
        canvas.textAt(QPointF(320, top), values[i]);
    }
}

void ReminderPrintout::costs(PageCanvas& canvas, const ReminderCard::Costs& costs)
{
    canvas.setFont(m_side.text());
    const auto row = [&](int top, int captionLeft, int captionRight, int amountLeft,
                         int amountRight, const QString& text, int amount) {
        canvas.text(PageCanvas::box(captionLeft, captionRight, top, top + kLineHeight), text);
        canvas.text(PageCanvas::box(amountLeft, amountRight, top, top + kLineHeight), grouped(amount),
                    Qt::AlignRight);
    };
    const auto left = [&](int top, const QString& text, int amount) {
        row(top, 150, 310, 300, 450, text, amount);
    };
    const auto right = [&](int top, const QString& text, int amount) {
        row(top, 530, 700, 680, 830, text, amount);
    };

    int top = kCostsTop;
    left(top, QStringLiteral("自賠責料"), costs.compulsoryInsurance);
    right(top, caption("印  紙  代", "印 紙 代"), costs.stampFee);
    top += kLineHeight;
    left(top, caption("重  量  税", "重 量 税"), costs.weightTax);
    right(top, caption("代  行  料", "代 行 料"), costs.agencyFee);
    if (m_agencyTaxable) {
        const int agencyTop = top;
        top += kLineHeight;
        right(top, caption("消  費  税", "消 費 税"), costs.agencyTax);
        // A bracket joins the agency fee and its tax.
        const QPen pen = PageCanvas::pen(Qt::black, PageCanvas::kThin);
        canvas.line(500, agencyTop + 20, 520, agencyTop + 20, pen);
        canvas.line(500, agencyTop + 20, 500, top + 20, pen);
        canvas.line(500, top + 20, 520, top + 20, pen);
    }
    top += kLineHeight;
    row(top, 500, 700, 680, 830, QStringLiteral("諸費用合計"), costs.total);
    canvas.line(150, top, 830, top, PageCanvas::pen(Qt::black, PageCanvas::kThin));
}

} // namespace kv::reports
