#pragma once

#include "data/settings/RoundingSettings.h"
#include "data/tables/TableRows.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <utility>

namespace kv::ledger {

// The entry fields of the ledger form, in their tab order.
enum class EntryField {
    Date, Category, CarCode, Rikuji, Rno, Kana, Preno,
    Buhin, Koutin, Sonota, Zei, HikaSyohi, KaSyohi, SyoZei, Nyu, NyuCho, Tekiyo,
    None
};

// Which change a recomputation follows: the sales, the typed tax, the
// costs, the payments, or all of them before recording.
enum class RecalcCause { Sales = 0, Tax = 1, Costs = 2, Payments = 3, All = 9 };

// The ten amounts as last accepted. The automatic taxes are computed again
// only when their bases differ from these, so a typed tax survives until
// its base changes.
struct RememberedAmounts {
    int buhin = 0, koutin = 0, sonota = 0, zei = 0;
    int hikaSyohi = 0, kaSyohi = 0, syoZei = 0;
    int nyu = 0, nyuCho = 0;
    bool operator==(const RememberedAmounts&) const = default;
};

// Whether a check or recomputation went through; if not, the message to
// show and the field to focus.
struct EntryCheck {
    bool ok = true;
    QString message;
    EntryField focus = EntryField::None;

    static EntryCheck refused(QString message, EntryField focus) { return {false, std::move(message), focus}; }
};

// One sale or payment as typed in the ledger form. A job category of kind
// 99 makes it a payment: only the date, category, payments and note count.
class LedgerEntry {
public:
    static constexpr int kPaymentKind = 99;
    static constexpr int kAmountLimit = 99'999'999;
    static constexpr int kCostLimit = 9'999'999;

    QDate date;
    int categoryCode = 0;
    int categoryKind = 0;
    int carCode = 0;
    QString rikuji;
    int rno = 0;
    QString kana;
    int preno = 0;
    int buhin = 0, koutin = 0, sonota = 0, zei = 0;
    int hikaSyohi = 0, kaSyohi = 0, syoZei = 0;
    int nyu = 0, nyuCho = 0;
    int tot = 0;
    // 差引合計 (Tot less the payments) for a sale, 入金合計 for a payment.
    int result = 0;
    QString tekiyo;

    bool isPayment() const { return categoryKind == kPaymentKind; }
    // The payment layout: no vehicle, plate or sales.
    void clearSales();

    RememberedAmounts amounts() const;

    // The range an amount field takes and the message when it is left.
    static bool inRange(EntryField field, qint64 value);
    static QString rangeMessage(EntryField field);

    // The fields read before every recomputation: a complete date, the
    // plate numbers and the ten amounts within their ranges.
    EntryCheck checkFields() const;

    // Checks the fields, computes the automatic taxes whose bases changed
    // (remembering the new bases), then Tot and the result, all in exact
    // integers; a sum out of range refuses with its message.
    EntryCheck recalc(RecalcCause cause, RememberedAmounts& remembered,
                      const data::RoundingSettings& rounding);

    // The row as recorded: the date with the time of day, ToriKbn and GTot
    // from the amounts. DenFlag and DenNo are left to the caller.
    data::ToriJnlRow toRow(int customerCode, const QTime& timeOfDay) const;
    static LedgerEntry fromRow(const data::ToriJnlRow& row, int categoryKind);
};

} // namespace kv::ledger
