#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace kv::reports {

// The eight measures of a slot of the sales analysis, in whole yen.
struct SalesMeasures {
    qint64 count = 0;
    qint64 parts = 0;    // 部品
    qint64 labour = 0;   // 工賃
    qint64 other = 0;    // その他
    qint64 sales = 0;    // parts + labour + other
    qint64 expenses = 0; // 諸費用
    qint64 tax = 0;      // 消費税
    qint64 total = 0;    // 合計

    bool operator==(const SalesMeasures&) const = default;
};

// The sales analysis of a period: twenty slots (job categories, or months)
// and their grand totals, summed in 64 bits. Every sum must stay within
// what the figures may show; the first addition that leaves it, or one to
// a slot that does not exist, stops the figures with its message and
// leaves them unusable, so nothing is drawn or printed from them.
class SalesFigures {
public:
    static constexpr int kSlots = 20;
    static constexpr qint64 kLimit = 99'999'999'999;

    enum class Fault { None, SlotOutOfRange, Overflow };

    // Adds one transaction's amounts, or the sums of several (count rows).
    bool add(int slot, const SalesMeasures& amounts);
    // Sums the slots into the grand totals; false when that overflows.
    bool finish();

    bool ok() const { return m_fault == Fault::None; }
    Fault fault() const { return m_fault; }
    // The message of the fault; empty while there is none.
    QString message() const;

    const SalesMeasures& slot(int index) const { return m_slots[size_t(index)]; }
    const SalesMeasures& grand() const { return m_grand; }

    // What the graphs show of a slot: its sales, or with the totals option
    // its total including expenses and tax.
    qint64 graphValue(int index, bool totals) const;
    qint64 graphTotal(bool totals) const;

private:
    bool stop(Fault fault);

    std::array<SalesMeasures, kSlots> m_slots{};
    SalesMeasures m_grand;
    Fault m_fault = Fault::None;
};

} // namespace kv::reports
