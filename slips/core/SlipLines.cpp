#include "slips/core/SlipLines.h"

#include "common/KVCommon.h"
#include "masters/core/ItemRules.h"
#include "slips/core/ExactRounding.h"
#include "slips/core/LineAmount.h"

namespace kv::slips {

namespace {

bool isDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// An integer typed with or without comma grouping; nullopt when it is none
// or lies outside the amount range.
std::optional<int> amountFromText(const QString& text)
{
    int flag = 0;
    const QString trimmed = text.trimmed();
    const int value = KanmaToInt(trimmed, &flag);
    if (!flag || trimmed == QLatin1String("-") || value < -SlipLines::kAmountLimit
        || value > SlipLines::kAmountLimit)
        return std::nullopt;
    return value;
}

QString priceText(int price)
{
    return price == 0 ? QString() : SlipLines::amountText(price, QString());
}

} // namespace

bool SlipLine::isEmpty() const
{
    for (const QString& cell : cells) {
        if (!cell.isEmpty())
            return false;
    }
    return photos.isEmpty();
}

SlipLines::SlipLines() = default;

void SlipLines::setRates(int labourRate, int bodyWorkRate)
{
    m_labourRate = labourRate;
    m_bodyWorkRate = bodyWorkRate;
}

void SlipLines::setText(int row, int column, const QString& text)
{
    m_rows.at(row).cells.at(column) = text;
}

QString SlipLines::amountText(int amount, const QString& oneText)
{
    if (amount == 0)
        return {};
    if (amount == 1 && !oneText.isEmpty())
        return oneText;
    QString text;
    Kanma(text, amount);
    return text;
}

QString SlipLines::categoryMessage()
{
    return QStringLiteral("0から%1迄を入力して下さい！").arg(data::CategoryNames::kCount - 1);
}

QString SlipLines::indexMessage()
{
    return QStringLiteral("0から999.9迄を入力して下さい！");
}

QString SlipLines::quantityMessage()
{
    return QStringLiteral("-999.9から999.9迄を入力して下さい！");
}

QString SlipLines::priceMessage()
{
    return QStringLiteral("-9,999,999から9,999,999迄の整数を入力して下さい！");
}

QString SlipLines::computedMessage()
{
    return QStringLiteral("計算結果が-9,999,999から9,999,999迄に収まるようにしてください！");
}

QString SlipLines::lastRowInsertMessage()
{
    return QStringLiteral("最終行には行を挿入できません！");
}

QString SlipLines::totalMessage()
{
    return QStringLiteral("部品と工賃の合計が-99,999,999から99,999,999を\n超えないようにして下さい！");
}

void SlipLines::putLine(int row, const data::SyaJnlRow& stored)
{
    SlipLine& line = m_rows.at(row);
    line.cells[TextColumn] = stored.m_Meisai;
    line.cells[CategoryColumn] = masters::ItemRules::categoryName(stored.m_Kubun, m_categories);
    line.cells[IndexColumn] = tenthsText(stored.m_Sisu);
    line.cells[QuantityColumn] = tenthsText(stored.m_Suuryo);
    line.cells[PriceColumn] = priceText(stored.m_Tanka);
    line.cells[PartsColumn] = amountText(stored.m_Kingaku, broughtInText());
    line.cells[LabourColumn] = amountText(stored.m_Koutin, serviceText());
    line.parts = LineAmount::counted(stored.m_Kingaku);
    line.labour = LineAmount::counted(stored.m_Koutin);
    line.photos = stored.m_Photo;
}

void SlipLines::load(const std::vector<data::SyaJnlRow>& lines)
{
    m_rows.fill(SlipLine{});
    for (const data::SyaJnlRow& stored : lines) {
        if (stored.m_LineNo >= 0 && stored.m_LineNo < kRows)
            putLine(stored.m_LineNo, stored);
    }
}

SlipLines::LeaveResult SlipLines::leaveCell(int row, int column)
{
    switch (column) {
    case TextColumn: return leaveText(row);
    case CategoryColumn: return leaveCategory(row);
    case IndexColumn:
    case QuantityColumn: return leaveTenths(row, column);
    case PriceColumn: return leavePrice(row);
    default: return leaveAmount(row, column);
    }
}

SlipLines::LeaveResult SlipLines::recomputed(std::optional<QString> failure)
{
    if (failure)
        return {false, *failure, true};
    return {true, {}, true};
}

SlipLines::LeaveResult SlipLines::leaveText(int row)
{
    const QString typed = text(row, TextColumn);
    if (!isDigits(typed))
        return {true, {}, true};
    const int code = typed.size() <= 4 ? typed.toInt() : 0;
    if (typed.startsWith(u'0')) {
        if (m_sets && code >= 1 && code <= 999) {
            if (const auto lines = m_sets(code)) {
                expandSet(row, *lines);
                return {true, {}, true};
            }
        }
        return {true, {}, true};
    }
    if (!m_items || code < 1 || code > masters::ItemRules::kMaxCode)
        return {true, {}, true};
    const std::optional<masters::ItemRecord> item = m_items(code);
    if (!item || item->isPlaceholder())
        return {true, {}, true};
    SlipLine& line = m_rows.at(row);
    line.cells[TextColumn] = item->text;
    line.cells[CategoryColumn] = masters::ItemRules::categoryName(item->category, m_categories);
    line.cells[PriceColumn] = priceText(item->price);
    return recomputed(recomputeParts(row));
}

SlipLines::LeaveResult SlipLines::leaveCategory(int row)
{
    QString& cell = m_rows.at(row).cells[CategoryColumn];
    if (!cell.isEmpty() && m_categories.indexOf(cell) < 0) {
        const QString trimmed = cell.trimmed();
        const int number = trimmed.size() <= 2 && isDigits(trimmed) ? trimmed.toInt() : -1;
        if (number < 0 || number >= data::CategoryNames::kCount) {
            cell.clear();
            return {false, categoryMessage(), false};
        }
        cell = m_categories.names[number];
    }
    return recomputed(recomputeLabour(row));
}

SlipLines::LeaveResult SlipLines::leaveTenths(int row, int column)
{
    QString& cell = m_rows.at(row).cells[column];
    const bool isIndex = column == IndexColumn;
    if (!cell.trimmed().isEmpty()) {
        const std::optional<int> tenths = tenthsFromText(cell);
        // Compared as typed, so that 999.95 is out of range although it
        // cuts to 999.9.
        const double typed = cell.trimmed().toDouble();
        const int lowest = isIndex ? 0 : -9999;
        if (!tenths || *tenths < lowest || *tenths > 9999 || typed > 999.9) {
            cell.clear();
            return {false, isIndex ? indexMessage() : quantityMessage(), false};
        }
        cell = tenthsText(*tenths);
    } else {
        cell.clear();
    }
    return recomputed(isIndex ? recomputeLabour(row) : recomputeParts(row));
}

SlipLines::LeaveResult SlipLines::leavePrice(int row)
{
    QString& cell = m_rows.at(row).cells[PriceColumn];
    if (!cell.trimmed().isEmpty()) {
        const std::optional<int> price = amountFromText(cell);
        if (!price) {
            cell.clear();
            return {false, priceMessage(), false};
        }
        cell = priceText(*price);
    } else {
        cell.clear();
    }
    return recomputed(recomputeParts(row));
}

SlipLines::LeaveResult SlipLines::leaveAmount(int row, int column)
{
    SlipLine& line = m_rows.at(row);
    QString& cell = line.cells[column];
    int& counted = column == PartsColumn ? line.parts : line.labour;
    const QString oneText = column == PartsColumn ? broughtInText() : serviceText();
    if (cell.trimmed().isEmpty()) {
        cell.clear();
        counted = 0;
        return {true, {}, true};
    }
    const std::optional<int> amount = cell == oneText ? std::optional<int>(1) : amountFromText(cell);
    if (!amount) {
        cell.clear();
        counted = 0;
        return {false, priceMessage(), true};
    }
    cell = amountText(*amount, oneText);
    counted = LineAmount::counted(*amount);
    return {true, {}, true};
}

int SlipLines::categoryIndex(int row) const
{
    const QString& name = text(row, CategoryColumn);
    // A row without a category counts as category 0.
    return name.isEmpty() ? 0 : m_categories.indexOf(name);
}

std::optional<QString> SlipLines::recomputeParts(int row)
{
    const SlipLine& line = m_rows.at(row);
    const int quantity = tenthsFromText(line.cells[QuantityColumn]).value_or(0);
    const int price = KanmaToInt(line.cells[PriceColumn], nullptr);
    return putComputed(row, PartsColumn, LineAmount::parts(price, quantity, m_rounding.parts));
}

std::optional<QString> SlipLines::recomputeLabour(int row)
{
    const SlipLine& line = m_rows.at(row);
    const int category = std::max(categoryIndex(row), 0);
    const int rate = LineAmount::takesBodyWorkRate(category) ? m_bodyWorkRate : m_labourRate;
    const int index = tenthsFromText(line.cells[IndexColumn]).value_or(0);
    return putComputed(row, LabourColumn, LineAmount::labour(rate, index, m_rounding.labour));
}

std::optional<QString> SlipLines::putComputed(int row, int column, std::optional<int> amount)
{
    SlipLine& line = m_rows.at(row);
    int& counted = column == PartsColumn ? line.parts : line.labour;
    counted = 0;
    if (!amount) {
        line.cells[column].clear();
        return computedMessage();
    }
    line.cells[column] = amountText(*amount, column == PartsColumn ? broughtInText() : serviceText());
    counted = LineAmount::counted(*amount);
    return std::nullopt;
}

int SlipLines::expandSet(int row, const std::vector<data::SyaJnlRow>& setLines)
{
    std::size_t next = 0;
    int r = row;
    for (; r < kRows; ++r) {
        // Lines out of order or doubled would never be reached; they are
        // passed over.
        while (next < setLines.size() && row + setLines[next].m_LineNo < r)
            ++next;
        if (next == setLines.size())
            break;
        if (row + setLines[next].m_LineNo == r)
            putLine(r, setLines[next++]);
        else
            clearRow(r);
    }
    return r;
}

void SlipLines::insertRow(int row)
{
    for (int r = kRows - 1; r > row; --r)
        m_rows[r] = m_rows[r - 1];
    clearRow(row);
}

void SlipLines::cutRow(int row)
{
    m_clipboard = m_rows.at(row);
    for (int r = row; r < kRows - 1; ++r)
        m_rows[r] = m_rows[r + 1];
    clearRow(kRows - 1);
}

void SlipLines::copyRow(int row)
{
    m_clipboard = m_rows.at(row);
}

void SlipLines::pasteRow(int row)
{
    if (m_clipboard)
        m_rows.at(row) = *m_clipboard;
}

int SlipLines::storedAmount(int row, int column) const
{
    const QString& cell = text(row, column);
    if (cell == broughtInText() || cell == serviceText())
        return 1;
    return KanmaToInt(cell, nullptr);
}

namespace {

// The running sums with the guards of both the nine-digit sums and the
// slip's limit on parts and labour together.
class GuardedTotals {
public:
    bool add(int parts, int labour)
    {
        if (!OverFlowCheck(m_totals.parts, parts, QStringLiteral("+"))
            || !OverFlowCheck(m_totals.labour, labour, QStringLiteral("+")))
            return false;
        m_totals.parts += parts;
        m_totals.labour += labour;
        const qint64 both = qint64(m_totals.parts) + m_totals.labour;
        m_outOfRange = both < -SlipLines::kTotalLimit || both > SlipLines::kTotalLimit;
        return !m_outOfRange;
    }
    bool outOfRange() const { return m_outOfRange; }
    SlipLines::Totals totals() const { return m_totals; }

private:
    SlipLines::Totals m_totals;
    bool m_outOfRange = false;
};

} // namespace

std::optional<SlipLines::Totals> SlipLines::checkLines(QString* message)
{
    m_usedRows = 0;
    for (int r = 0; r < kRows; ++r) {
        if (!m_rows[r].isEmpty())
            m_usedRows = r + 1;
    }
    GuardedTotals sums;
    for (int r = 0; r < kRows; ++r) {
        if (!sums.add(LineAmount::counted(storedAmount(r, PartsColumn)),
                      LineAmount::counted(storedAmount(r, LabourColumn)))) {
            // The nine-digit guard has shown its own message.
            if (message)
                *message = sums.outOfRange() ? totalMessage() : QString();
            return std::nullopt;
        }
    }
    return sums.totals();
}

std::optional<SlipLines::Totals> SlipLines::sumLines(QString* message) const
{
    GuardedTotals sums;
    for (const SlipLine& line : m_rows) {
        if (!sums.add(line.parts, line.labour)) {
            if (message)
                *message = sums.outOfRange() ? totalMessage() : QString();
            return std::nullopt;
        }
    }
    return sums.totals();
}

int SlipLines::pageCount() const
{
    return std::max(1, (m_usedRows + kRowsPerPage - 1) / kRowsPerPage);
}

bool SlipLines::storedLines(int slipNumber, std::vector<data::SyaJnlRow>* lines, int* badRow)
{
    checkLines(nullptr);
    std::vector<data::SyaJnlRow> stored;
    for (int r = 0; r < m_usedRows; ++r) {
        const SlipLine& line = m_rows[r];
        if (line.isEmpty())
            continue;
        const int category = categoryIndex(r);
        if (category < 0) {
            if (badRow)
                *badRow = r;
            return false;
        }
        data::SyaJnlRow row;
        row.m_DenNo = slipNumber;
        row.m_LineNo = r;
        row.m_Meisai = line.cells[TextColumn];
        row.m_Kubun = category;
        row.m_Sisu = tenthsFromText(line.cells[IndexColumn]).value_or(0);
        row.m_Suuryo = tenthsFromText(line.cells[QuantityColumn]).value_or(0);
        row.m_Tanka = KanmaToInt(line.cells[PriceColumn], nullptr);
        row.m_Kingaku = storedAmount(r, PartsColumn);
        row.m_Koutin = storedAmount(r, LabourColumn);
        row.m_Photo = line.photos;
        stored.push_back(row);
    }
    *lines = std::move(stored);
    return true;
}

} // namespace kv::slips
