#include "slips/print/SlipPrintout.h"

#include "common/KVCommon.h"
#include "slips/core/InvoiceAmounts.h"
#include "print/PageCanvas.h"
#include "print/PrintFont.h"
#include "slips/core/SlipLines.h"
#include "slips/core/SlipPrintTexts.h"
#include "slips/core/SlipRecording.h"

#include <QPainter>

namespace kv::slips {

using print::PageCanvas;
namespace T = SlipPrintTexts;

namespace {

constexpr int kLeft = 100;
constexpr int kRight = 2000;
constexpr int kLinesTop = 920;
constexpr int kLinesHead = 970;
constexpr int kPitch = 44;
constexpr int kLinesBottom = kLinesHead + kPitch * SlipPrintPages::kRowsPerPage; // 2290

const QColor kCopyColours[] = {QColor(0, 255, 255), QColor(0, 255, 0), QColor(255, 0, 255)};
const QColor kCopyTints[] = {QColor(230, 255, 255), QColor(230, 255, 230), QColor(255, 230, 230)};
const QColor kGrey(220, 220, 220);

QFont fontOf(const QString& face, int height, int width, bool bold)
{
    return print::PrintFont{face, height, width, bold}.toQFont();
}

QRectF box(double x1, double x2, double y1, double y2)
{
    return PageCanvas::box(x1, x2, y1, y2);
}

// A grid cell's amount as it counts in the page subtotal; the words that
// stand for an amount not charged count nothing.
qint64 cellAmount(const QString& text, const QString& word)
{
    if (text.isEmpty() || text == word)
        return 0;
    int ok = 0;
    const int value = KanmaToInt(text, &ok);
    return ok ? value : 0;
}

} // namespace

SlipPrintout::SlipPrintout(SlipPrintData data)
    : m_data(std::move(data))
    , m_pages(m_data.slip.m_DenKind, int(m_data.rows.size()), m_data.copies)
    , m_small(fontOf(print::PrintFont::kGothic, 30, 12, false))
    , m_text(fontOf(print::PrintFont::kGothic, 40, 16, false))
    , m_final(fontOf(print::PrintFont::kGothic, 60, 20, true))
    , m_finalNarrow(fontOf(print::PrintFont::kGothic, 60, 17, true))
    , m_large(fontOf(print::PrintFont::kGothic, 70, 25, true))
    , m_shopName(fontOf(m_data.shop.fontName, 70, 25, true))
{
}

QString SlipPrintout::jobName(int slipNumber)
{
    return QStringLiteral("伝票：") + QString::asprintf("%06d", slipNumber);
}

print::PageLayout SlipPrintout::layout() const
{
    print::PageLayout layout;
    layout.colour = m_data.settings.colourInk != 0;
    layout.jobName = jobName(m_data.slip.m_DenNo);
    layout.offsets = print::PageOffsets::slipOf(m_data.settings.positions);
    return layout;
}

SlipPrintout::Look SlipPrintout::lookOf(int copy) const
{
    Look look;
    look.copy = copy;
    look.colourInk = m_data.settings.colourInk != 0;
    const size_t i = size_t(std::clamp(copy, 1, 3) - 1);
    look.colour = look.colourInk ? kCopyColours[i] : QColor(Qt::black);
    look.tint = look.colourInk ? kCopyTints[i] : kGrey;
    return look;
}

void SlipPrintout::paintPage(int page, QPainter& painter)
{
    if (page < 1 || page > pageCount())
        return;
    const SlipPrintPages::Page at = m_pages.page(page);
    const int kind = m_data.slip.m_DenKind;
    const Look look = lookOf(at.copy);
    PageCanvas canvas(painter);

    title(canvas, look, kind);
    if (SlipPrintPages::forCustomer(kind, at.copy))
        shopBlock(canvas);
    addressee(canvas);
    slipTables(canvas, look, at.pageInCopy);
    lineTable(canvas, look, kind, at.pageInCopy);
    marks(canvas, SlipPrintPages::forCustomer(kind, at.copy));
    if (at.pageInCopy == 1) {
        if (kind == WorkOrder)
            inspectionBlock(canvas, lookOf(1));
        else
            totalsBlock(canvas, look);
        if (isQualifiedInvoice())
            invoiceStrip(canvas, look);
    }
}

void SlipPrintout::title(PageCanvas& canvas, const Look& look, int kind)
{
    const QRectF area = box(1200, 1900, 60, 150);
    canvas.setFont(m_large);
    if (look.colourInk) {
        QPainter& p = canvas.painter();
        p.save();
        p.setPen(PageCanvas::pen(look.colour, PageCanvas::kThin));
        p.setBrush(look.colour);
        p.drawRoundedRect(area, 30, 30);
        p.restore();
        canvas.setTextColour(Qt::white);
    } else {
        canvas.setTextColour(Qt::black);
    }
    canvas.text(area, SlipPrintPages::title(kind, look.copy), Qt::AlignHCenter);
    if (m_data.corrected && isQualifiedInvoice()) {
        canvas.setFont(m_text);
        canvas.setTextColour(Qt::black);
        canvas.text(box(1000, 1190, 60, 150), QStringLiteral("（修正）"), Qt::AlignRight);
    }
}

bool SlipPrintout::isQualifiedInvoice() const
{
    return m_data.slip.m_DenKind == DeliveryNote && !m_data.registrationNumber.isEmpty();
}

void SlipPrintout::invoiceStrip(PageCanvas& canvas, const Look& look)
{
    // Below the totals and the costs' footnote, above the foot of the page.
    constexpr int kTop = 2815;
    constexpr int kMiddle = kTop + 50;
    const InvoiceAmounts a = InvoiceAmounts::of(m_data.slip);
    const auto yen = [](qint64 amount) { return T::amount(int(amount)) + QStringLiteral("円"); };
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    const auto cell = [&](int x1, int x2, int x3, int y, const QString& label, qint64 amount) {
        labelCell(canvas, look, box(x1, x2, y, y + 50), label, Qt::AlignLeft);
        canvas.setFont(m_text);
        canvas.text(box(x2 + 10, x3 - 10, y, y + 50), yen(amount), Qt::AlignRight);
        canvas.frame(box(x1, x3, y, y + 50), thin);
    };
    const QString rate = InvoiceAmounts::rateText(m_data.taxRate);
    // A slip without taxable amounts has no line of the rate.
    if (a.taxable != 0) {
        cell(100, 520, 850, kTop, rate + QStringLiteral("対象"), a.taxable);
        cell(850, 1370, 1700, kTop, QStringLiteral("消費税(") + rate + QLatin1Char(')'), a.tax);
    }
    if (a.nonTaxable != 0)
        cell(100, 520, 850, kMiddle, QStringLiteral("非課税(自賠責)"), a.nonTaxable);
    if (a.outOfScope != 0)
        cell(850, 1370, 1700, kMiddle, QStringLiteral("不課税(重量税・印紙等)"), a.outOfScope);
}

void SlipPrintout::shopBlock(PageCanvas& canvas)
{
    const data::ShopDetails& shop = m_data.shop;
    canvas.setTextColour(Qt::black);
    canvas.setFont(m_text);
    canvas.text(box(1100, 2000, 200, 250), shop.business);
    canvas.setFont(m_shopName);
    canvas.text(box(1100, 2000, 250, 350), shop.shopName);
    canvas.setFont(m_text);
    canvas.text(box(1100, 2000, 350, 400), shop.address1);
    canvas.text(box(1100, 2000, 400, 450), shop.address2);
    const int telTop = shop.address2.isEmpty() ? 400 : 450;
    canvas.text(box(1100, 2000, telTop, telTop + 50),
                QStringLiteral("TEL ") + shop.telephone1 + QStringLiteral("     ") + shop.telephone2);
    if (isQualifiedInvoice())
        canvas.text(box(1100, 2000, telTop + 50, telTop + 100),
                    QStringLiteral("登録番号 ") + m_data.registrationNumber);
}

void SlipPrintout::addressee(PageCanvas& canvas)
{
    const data::KokRow& c = m_data.billing;
    const print::PageOffsets offsets = layout().offsets;
    const auto at = [&](double x, double y, const QString& text) {
        canvas.textAt(offsets.addressee(QPointF(x, y)), text);
    };
    canvas.setTextColour(Qt::black);
    canvas.setFont(m_text);
    at(240, 200, T::postalCode(c.m_Post));
    if (!c.m_UserJyu2.isEmpty()) {
        at(240, 240, c.m_UserJyu1);
        at(240, 280, c.m_UserJyu2);
    } else {
        at(240, 280, c.m_UserJyu1);
    }
    const QString honorific = QStringLiteral("　") + T::honorific(c.m_Sama);
    if (c.m_UserName2.isEmpty()) {
        at(340, 410, c.m_UserName1 + honorific);
    } else {
        at(340, 370, c.m_UserName1);
        at(340, 410, c.m_UserName2 + honorific);
    }
    at(340, 490, QString::asprintf("(%06d)", c.m_KokCode));
    at(502, 490, QStringLiteral("TEL ") + c.m_Tel1);
}

void SlipPrintout::table(PageCanvas& canvas, const Look& look, int y1, int yHead, int y2,
                         std::initializer_list<Column> columns)
{
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    const QPen thick = PageCanvas::pen(look.colour, PageCanvas::kThick);
    if (look.colourInk)
        canvas.fill(box(kLeft, kRight, y1, yHead), look.colour);
    canvas.line(kLeft, yHead, kRight, yHead, thin);
    canvas.setFont(m_text);
    canvas.setTextColour(look.colourInk ? QColor(Qt::white) : QColor(Qt::black));
    for (const Column& c : columns) {
        canvas.text(box(c.x1, c.x2, y1, yHead), QString::fromUtf8(c.caption), Qt::AlignHCenter);
        if (c.x1 == kLeft)
            continue;
        if (look.colourInk) {
            canvas.line(c.x1, y1, c.x1, yHead, PageCanvas::pen(Qt::white, PageCanvas::kThick));
            canvas.line(c.x1, yHead, c.x1, y2, thin);
        } else {
            canvas.line(c.x1, y1, c.x1, y2, thin);
        }
    }
    canvas.frame(box(kLeft, kRight, y1, y2), thick);
    canvas.setTextColour(Qt::black);
}

void SlipPrintout::labelCell(PageCanvas& canvas, const Look& look, const QRectF& cell,
                             const QString& text, Qt::Alignment align)
{
    // The label's own box starts 10 in from the cell when left aligned.
    const QRectF textBox = align == Qt::AlignLeft ? cell.adjusted(10, 0, 0, 0) : cell;
    canvas.setFont(m_text);
    if (look.colourInk) {
        canvas.fill(cell, look.colour);
        canvas.setTextColour(Qt::white);
    } else {
        canvas.setTextColour(Qt::black);
    }
    canvas.text(textBox, text, align);
    canvas.setTextColour(Qt::black);
}

void SlipPrintout::slipTables(PageCanvas& canvas, const Look& look, int pageInCopy)
{
    const data::SyaheadRow& s = m_data.slip;
    const data::CarRow& v = m_data.vehicle;

    table(canvas, look, 580, 630, 680,
          {{100, 400, "伝 票 番 号"}, {400, 750, "伝 票 発 行 日"}, {750, 1250, "入 庫 区 分"},
           {1250, 1600, "走 行 距 離"}, {1600, 2000, "次 回 車 検"}});
    canvas.text(box(100, 400, 630, 680), T::slipNumber(s.m_DenNo, pageInCopy, m_pages.pagesPerCopy()),
                Qt::AlignHCenter);
    canvas.text(box(400, 750, 630, 680), T::fullDate(T::dateOf(s.m_HatuDate)), Qt::AlignHCenter);
    canvas.text(box(770, 1250, 630, 680), m_data.categoryName);
    canvas.text(box(1270, 1580, 630, 680), T::mileage(s.m_Km), Qt::AlignRight);
    canvas.text(box(1600, 2000, 630, 680), T::nextInspection(T::dateOf(s.m_Syaman)), Qt::AlignHCenter);

    table(canvas, look, 690, 740, 790,
          {{100, 520, "登 録 番 号"}, {520, 1100, "車      名"}, {1100, 1500, "型　　  式"},
           {1500, 2000, "車 台 番 号"}});
    canvas.text(box(100, 520, 740, 790), T::plate(v), Qt::AlignHCenter);
    canvas.text(box(540, 1120, 740, 790), T::vehicleName(m_data.makeName, v.m_Syasyu));
    canvas.text(box(1120, 1520, 740, 790), v.m_Katasiki);
    canvas.text(box(1520, 2020, 740, 790), v.m_Syatai);

    table(canvas, look, 800, 850, 900,
          {{100, 600, "原 動 機 型 式"}, {600, 950, "初度登録年月"}, {950, 1300, "型 式 類 別"},
           {1300, 1650, "入 庫 日"}, {1650, 2000, "出 庫 日"}});
    canvas.text(box(120, 620, 850, 900), v.m_Gendoki);
    canvas.text(box(600, 950, 850, 900), T::firstRegistration(T::dateOf(v.m_Syonen)), Qt::AlignHCenter);
    canvas.text(box(950, 1300, 850, 900), T::typeClass(v.m_Kata, v.m_Rui), Qt::AlignHCenter);
    canvas.text(box(1300, 1650, 850, 900), T::fullDate(T::dateOf(s.m_NyuDate)), Qt::AlignHCenter);
    canvas.text(box(1650, 2000, 850, 900), T::fullDate(T::dateOf(s.m_NouDate)), Qt::AlignHCenter);
}

void SlipPrintout::lineTable(PageCanvas& canvas, const Look& look, int kind, int pageInCopy)
{
    const int first = (pageInCopy - 1) * SlipPrintPages::kRowsPerPage;
    for (int i = 0; i < SlipPrintPages::kRowsPerPage; ++i) {
        const int y = kLinesHead + i * kPitch;
        canvas.fill(box(kLeft, kRight, y, y + kPitch), i % 2 == 0 ? QColor(Qt::white) : look.tint);
    }
    table(canvas, look, kLinesTop, kLinesHead, kLinesBottom,
          {{100, 990, "作　業　内　容　 及 び　 使　用　部　品　名"}, {990, 1120, "区 分"},
           {1120, 1280, "数　量"}, {1280, 1520, "単    価"}, {1520, 1760, "金    額"},
           {1760, 2000, "工    賃"}});
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    for (int i = 1; i < SlipPrintPages::kRowsPerPage; ++i) {
        const int y = kLinesHead + i * kPitch;
        canvas.line(kLeft, y, kRight, y, thin);
    }

    qint64 parts = 0;
    qint64 labour = 0;
    canvas.setFont(m_text);
    canvas.setTextColour(Qt::black);
    for (int i = 0; i < SlipPrintPages::kRowsPerPage; ++i) {
        const size_t row = size_t(first + i);
        if (row >= m_data.rows.size())
            break;
        const std::array<QString, 7>& cells = m_data.rows[row];
        const double y1 = kLinesHead + i * kPitch;
        const double y2 = y1 + kPitch;
        canvas.text(box(110, 980, y1, y2), cells[SlipLines::TextColumn]);
        canvas.text(box(1000, 1110, y1, y2), cells[SlipLines::CategoryColumn], Qt::AlignHCenter);
        canvas.text(box(1130, 1270, y1, y2), cells[SlipLines::QuantityColumn], Qt::AlignRight);
        canvas.text(box(1290, 1510, y1, y2), cells[SlipLines::PriceColumn], Qt::AlignRight);
        canvas.text(box(1530, 1750, y1, y2), cells[SlipLines::PartsColumn], Qt::AlignRight);
        canvas.text(box(1770, 1990, y1, y2), cells[SlipLines::LabourColumn], Qt::AlignRight);
        // The lines were checked against their limits before printing, so
        // the sums stay far inside the range.
        parts += cellAmount(cells[SlipLines::PartsColumn], SlipLines::broughtInText());
        labour += cellAmount(cells[SlipLines::LabourColumn], SlipLines::serviceText());
    }

    if (kind == WorkOrder)
        return;
    const double y1 = kLinesBottom;
    const double y2 = kLinesBottom + 50;
    labelCell(canvas, look, box(1360, 1520, y1, y2), QStringLiteral("小  計"), Qt::AlignHCenter);
    canvas.setFont(m_text);
    canvas.text(box(1530, 1750, y1, y2), T::amount(int(parts)), Qt::AlignRight);
    canvas.text(box(1770, 1990, y1, y2), T::amount(int(labour)), Qt::AlignRight);
    canvas.line(1520, y1, 1520, y2, thin);
    canvas.line(1760, y1, 1760, y2, thin);
    canvas.frame(box(1360, 2000, y1, y2), PageCanvas::pen(look.colour, PageCanvas::kThick));
}

void SlipPrintout::marks(PageCanvas& canvas, bool folds)
{
    const data::PrintPositions& p = m_data.settings.positions;
    const QPen pen = PageCanvas::pen(Qt::black, PageCanvas::kThin);
    canvas.line(60, p.centreLine, 80, p.centreLine, pen);
    if (!folds)
        return;
    for (const int y : {p.upperFold, p.lowerFold}) {
        canvas.line(60, y, 80, y, pen);
        canvas.line(2020, y, 2040, y, pen);
    }
}

void SlipPrintout::totalsBlock(PageCanvas& canvas, const Look& look)
{
    if (look.copy == 1) {
        if (m_data.settings.partsLabourBreakdown != 0)
            breakdownBoxes(canvas, look);
    } else {
        canvas.setFont(m_text);
        canvas.setTextColour(Qt::black);
        canvas.lines(box(110, 790, 2370, 2750), m_data.shop.slipNotice);
        canvas.frame(box(100, 800, 2360, 2760), PageCanvas::pen(look.colour, PageCanvas::kThick));
    }
    costsBox(canvas, look);
    totalsColumn(canvas, look);
}

void SlipPrintout::breakdownBoxes(PageCanvas& canvas, const Look& look)
{
    const data::SyaheadRow& s = m_data.slip;
    const bool sign = m_data.settings.discountSign != 0;
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    const QPen thick = PageCanvas::pen(look.colour, PageCanvas::kThick);

    labelCell(canvas, look, box(170, 620, 2360, 2410), QStringLiteral("部品工賃内訳"), Qt::AlignHCenter);
    const struct {
        const char* label;
        int amount;
    } rows[] = {{"部 品 計", s.m_BuhiMeiTot}, {"工 賃 計", s.m_KouMeiTot}};
    double y = 2410;
    for (const auto& row : rows) {
        labelCell(canvas, look, box(170, 410, y, y + 50), QString::fromUtf8(row.label), Qt::AlignLeft);
        canvas.setFont(m_text);
        canvas.text(box(410, 610, y, y + 50), T::amountOrZero(row.amount), Qt::AlignRight);
        canvas.line(170, y, 620, y, thin);
        y += 50;
    }
    canvas.line(410, 2410, 410, 2510, thin);
    canvas.frame(box(170, 620, 2360, 2510), thick);

    if (s.m_BuhiNebi == 0 && s.m_KouNebi == 0)
        return;
    labelCell(canvas, look, box(170, 800, 2560, 2610), QStringLiteral("値 引 内 訳"), Qt::AlignHCenter);
    const struct {
        const char* label;
        int amount;
        int percent; // hundredths
    } discounts[] = {{"部品値引", s.m_BuhiNebi, s.m_BuhiNebiPer}, {"工賃値引", s.m_KouNebi, s.m_KouNebiPer}};
    y = 2610;
    for (const auto& row : discounts) {
        labelCell(canvas, look, box(170, 410, y, y + 50), QString::fromUtf8(row.label), Qt::AlignLeft);
        canvas.setFont(m_text);
        canvas.text(box(410, 610, y, y + 50), T::discount(row.amount, sign, true), Qt::AlignRight);
        canvas.text(box(630, 800, y, y + 50), QStringLiteral("("));
        canvas.text(box(620, 790, y, y + 50), QString::asprintf("%.2f%%)", row.percent / 100.0),
                    Qt::AlignRight);
        canvas.line(170, y, 800, y, thin);
        y += 50;
    }
    canvas.line(410, 2610, 410, 2710, thin);
    canvas.line(620, 2610, 620, 2710, thin);
    canvas.frame(box(170, 800, 2560, 2710), thick);
}

void SlipPrintout::costsBox(PageCanvas& canvas, const Look& look)
{
    const data::SyaheadRow& s = m_data.slip;
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    labelCell(canvas, look, box(850, 1310, 2360, 2410), QStringLiteral("諸  費  用"), Qt::AlignHCenter);
    const auto ticked = [](int flag, const QString& name) {
        return flag != 0 ? QStringLiteral("(%1)").arg(name.trimmed()) : QStringLiteral(" ") + name;
    };
    const std::pair<QString, int> costs[] = {
        {QStringLiteral(" 自 賠 責 料"), s.m_Jibai},
        {QStringLiteral(" 重   量   税"), s.m_JyuZei},
        {QStringLiteral(" 印   紙   代"), s.m_Insi},
        {s.m_DaikoZeiFlag != 0 ? QStringLiteral("(代   行   料)") : QStringLiteral(" 代   行   料"), s.m_Daiko},
        {ticked(s.m_Syo5ZeiFlag, s.m_SyoName5), s.m_Syo5},
        {ticked(s.m_Syo6ZeiFlag, s.m_SyoName6), s.m_Syo6},
    };
    const auto costRow = [&](double y, const QString& label, int amount) {
        const QRectF cell = box(850, 1130, y, y + 50);
        if (look.colourInk)
            canvas.fill(cell, look.colour);
        canvas.setFont(m_text);
        canvas.setTextColour(look.colourInk ? QColor(Qt::white) : QColor(Qt::black));
        canvas.text(box(860, 1130, y, y + 50), label);
        canvas.setTextColour(Qt::black);
        canvas.text(box(1140, 1300, y, y + 50), T::amount(amount), Qt::AlignRight);
    };
    double y = 2410;
    for (const auto& [label, amount] : costs) {
        if (amount == 0)
            continue;
        costRow(y, label, amount);
        y += 50;
    }
    if (s.m_SyoZei != 0)
        costRow(2710, QStringLiteral(" 消   費   税"), s.m_SyoZei);
    canvas.setFont(m_small);
    canvas.setTextColour(look.colour);
    canvas.text(box(850, 1310, 2760, 2810), QStringLiteral("※ ( )は課税対象です"));
    canvas.setTextColour(Qt::black);
    for (int line = 2410; line <= 2710; line += 50)
        canvas.line(850, line, 1310, line, thin);
    canvas.line(1130, 2410, 1130, 2760, thin);
    canvas.frame(box(850, 1310, 2360, 2760), PageCanvas::pen(look.colour, PageCanvas::kThick));
    canvas.line(1310, 2360, 1360, 2535, thin);
    canvas.line(1310, 2760, 1360, 2535, thin);
}

void SlipPrintout::totalsColumn(PageCanvas& canvas, const Look& look)
{
    const data::SyaheadRow& s = m_data.slip;
    const bool sign = m_data.settings.discountSign != 0;
    const QPen thin = PageCanvas::pen(look.colour, PageCanvas::kThin);
    const auto row = [&](int y1, int y2, const QString& label, const QString& amount) {
        if (label.isEmpty() && look.colourInk)
            canvas.fill(box(1360, 1600, y1, y2), look.colour);
        if (!label.isEmpty())
            labelCell(canvas, look, box(1360, 1600, y1, y2), label, Qt::AlignLeft);
        canvas.setFont(m_text);
        canvas.text(box(1610, 1990, y1, y2), amount, Qt::AlignRight);
    };
    const int discount = s.m_BuhiNebi + s.m_KouNebi;
    row(2360, 2410, QStringLiteral("部品工賃計"), T::amount(s.m_BuhiMeiTot + s.m_KouMeiTot));
    row(2410, 2460, discount != 0 ? QStringLiteral("値   引   き") : QString(), T::discount(discount, sign));
    row(2460, 2510, s.m_BuhiKouZei != 0 ? QStringLiteral("消   費   税") : QString(), T::amount(s.m_BuhiKouZei));
    row(2510, 2560, QStringLiteral("諸費用合計"), T::amount(s.m_SyoTot + s.m_SyoZei));
    row(2560, 2610, QStringLiteral("【 合    計 】"), T::amount(s.m_Tot));
    row(2610, 2660, QStringLiteral("預   り   金"), T::amount(s.m_Azu));

    const QRectF finalCell = box(1360, 1600, 2660, 2760);
    const int kind = s.m_DenKind;
    const QString finalLabel = kind == RoughEstimate ? QStringLiteral("概算見積額")
                             : kind == Estimate      ? QStringLiteral("御見積額")
                                                     : QStringLiteral("御請求額");
    if (look.colourInk)
        canvas.fill(finalCell, look.colour);
    canvas.setFont(kind == RoughEstimate ? m_finalNarrow : m_final);
    canvas.setTextColour(look.colourInk ? QColor(Qt::white) : QColor(Qt::black));
    canvas.text(box(1370, 1600, 2660, 2760), finalLabel);
    canvas.setTextColour(Qt::black);
    canvas.setFont(m_large);
    canvas.text(box(1610, 1990, 2660, 2760), T::amount(s.m_Seikyu), Qt::AlignRight);

    for (const int y : {2410, 2460, 2510, 2560, 2610, 2660})
        canvas.line(1360, y, 2000, y, thin);
    canvas.line(1600, 2360, 1600, 2760, thin);
    canvas.frame(box(1360, 2000, 2360, 2760), PageCanvas::pen(look.colour, PageCanvas::kThick));
}

void SlipPrintout::inspectionBlock(PageCanvas& canvas, const Look& look)
{
    const QPen thin = PageCanvas::pen(look.colourInk ? look.colour : QColor(Qt::black), PageCanvas::kThin);
    const QPen thick = PageCanvas::pen(look.colourInk ? look.colour : QColor(Qt::black), PageCanvas::kThick);
    canvas.setFont(m_text);
    canvas.setTextColour(Qt::black);
    canvas.textAt({140, 2370}, QStringLiteral("●CO､ HC濃度"));
    canvas.textAt({170, 2410}, QStringLiteral("（アイドリング時）"));
    const std::pair<const char*, const char*> gases[] = {{"CO", "％"}, {"HC", "ppm"}};
    double y = 2450;
    for (const auto& [label, unit] : gases) {
        labelCell(canvas, look, box(140, 220, y, y + 50), QString::fromUtf8(label), Qt::AlignHCenter);
        canvas.setFont(m_text);
        canvas.text(box(220, 440, y, y + 50), QString::fromUtf8(unit), Qt::AlignRight);
        canvas.line(140, y, 440, y, thin);
        y += 50;
    }
    canvas.line(220, 2450, 220, 2550, thin);
    canvas.frame(box(140, 440, 2450, 2550), thick);

    canvas.setFont(m_text);
    canvas.textAt({460, 2370}, QStringLiteral("●ﾀｲﾔの溝の深さ"));
    canvas.textAt({490, 2410}, QStringLiteral("（1.6㎜以上）"));
    canvas.textAt({460, 2480}, QStringLiteral("●ﾌﾞﾚｰｷ・ﾊﾟｯﾄﾞ､"));
    canvas.textAt({490, 2520}, QStringLiteral("ﾗｲﾆﾝｸﾞの厚さ"));
    for (const int top : {2370, 2485}) {
        const std::pair<const char*, int> wheels[] = {{"前輪", top}, {"後輪", top + 50}};
        for (const auto& [label, rowTop] : wheels) {
            labelCell(canvas, look, box(750, 830, rowTop, rowTop + 50), QString::fromUtf8(label),
                      Qt::AlignHCenter);
            canvas.setFont(m_text);
            const double textTop = rowTop + 6;
            canvas.textAt({840, textTop}, QStringLiteral("左"));
            canvas.textAt({980, textTop}, QStringLiteral("㎜"));
            canvas.textAt({1035, textTop}, QStringLiteral("右"));
            canvas.textAt({1179, textTop}, QStringLiteral("㎜"));
        }
        canvas.line(750, top + 50, 1220, top + 50, thin);
        canvas.line(830, top, 830, top + 100, thin);
        canvas.line(1020, top, 1020, top + 100, thin);
        canvas.frame(box(750, 1220, top, top + 100), thick);
    }
    canvas.frame(box(100, 1265, 2360, 2595), thick);
}

} // namespace kv::slips
