#include "ledger/core/LedgerEntry.h"

#include "data/engine/DayNumber.h"
#include "slips/core/ExactRounding.h"

namespace kv::ledger {

namespace {

const QString kDateInvalid = QStringLiteral("日付が異常です！\n年月日をよく確認して下さい");
const QString kAmountRange = QStringLiteral("-99,999,999から99,999,999迄の整数を入力してくだい！");
const QString kCostRange = QStringLiteral("-9,999,999から9,999,999迄の整数を入力してくだい！");
const QString kClassRange = QStringLiteral("0から999迄の整数を入力してくだい！");
const QString kPlateRange = QStringLiteral("0から9999迄の整数を入力してくだい！");
const QString kTotalRange =
    QStringLiteral("合計が-99,999,999から99,999,999を\n超えないようにして下さい！");
const QString kPaymentsRange =
    QStringLiteral("入金合計が-99,999,999から99,999,999を\n超えないようにして下さい！");
const QString kResultRange =
    QStringLiteral("差引・入金合計が-99,999,999から99,999,999を\n超えないようにして下さい！");

bool withinAmount(qint64 value)
{
    return value >= -LedgerEntry::kAmountLimit && value <= LedgerEntry::kAmountLimit;
}

int taxOn(qint64 base, const data::RoundingSettings& rounding)
{
    // Exact: the rate in hundredths of a percent over 10000.
    return int(slips::roundFraction(base * slips::rateInHundredthsOfPercent(rounding.taxRate),
                                    10000, rounding.tax));
}

} // namespace

void LedgerEntry::clearSales()
{
    carCode = 0;
    rikuji.clear();
    rno = 0;
    kana.clear();
    preno = 0;
    buhin = koutin = sonota = zei = 0;
    hikaSyohi = kaSyohi = syoZei = 0;
    tot = 0;
}

RememberedAmounts LedgerEntry::amounts() const
{
    return {buhin, koutin, sonota, zei, hikaSyohi, kaSyohi, syoZei, nyu, nyuCho};
}

bool LedgerEntry::inRange(EntryField field, qint64 value)
{
    switch (field) {
    case EntryField::Rno: return value >= 0 && value <= 999;
    case EntryField::Preno: return value >= 0 && value <= 9999;
    case EntryField::HikaSyohi:
    case EntryField::KaSyohi:
    case EntryField::SyoZei: return value >= -kCostLimit && value <= kCostLimit;
    default: return withinAmount(value);
    }
}

QString LedgerEntry::rangeMessage(EntryField field)
{
    switch (field) {
    case EntryField::Rno: return kClassRange;
    case EntryField::Preno: return kPlateRange;
    case EntryField::HikaSyohi:
    case EntryField::KaSyohi:
    case EntryField::SyoZei: return kCostRange;
    default: return kAmountRange;
    }
}

EntryCheck LedgerEntry::checkFields() const
{
    if (!date.isValid())
        return EntryCheck::refused(kDateInvalid, EntryField::Date);
    const struct {
        EntryField field;
        int value;
    } numbers[] = {
        {EntryField::Rno, rno},       {EntryField::Preno, preno},
        {EntryField::Buhin, buhin},   {EntryField::Koutin, koutin},
        {EntryField::Sonota, sonota}, {EntryField::Zei, zei},
        {EntryField::HikaSyohi, hikaSyohi}, {EntryField::KaSyohi, kaSyohi},
        {EntryField::SyoZei, syoZei}, {EntryField::Nyu, nyu},
        {EntryField::NyuCho, nyuCho},
    };
    for (const auto& number : numbers) {
        if (!inRange(number.field, number.value))
            return EntryCheck::refused(rangeMessage(number.field), number.field);
    }
    return {};
}

EntryCheck LedgerEntry::recalc(RecalcCause cause, RememberedAmounts& remembered,
                               const data::RoundingSettings& rounding)
{
    const EntryCheck fields = checkFields();
    if (!fields.ok)
        return fields;
    const bool all = cause == RecalcCause::All;
    if (cause == RecalcCause::Sales || all) {
        if (buhin != remembered.buhin || koutin != remembered.koutin
            || sonota != remembered.sonota) {
            remembered.buhin = buhin;
            remembered.koutin = koutin;
            remembered.sonota = sonota;
            zei = taxOn(qint64(buhin) + koutin + sonota, rounding);
        }
    }
    if (cause == RecalcCause::Costs || all) {
        if (kaSyohi != remembered.kaSyohi) {
            remembered.kaSyohi = kaSyohi;
            syoZei = taxOn(kaSyohi, rounding);
        }
    }
    if (cause != RecalcCause::Payments) {
        const qint64 total = qint64(buhin) + koutin + sonota + zei + hikaSyohi + kaSyohi + syoZei;
        if (!withinAmount(total))
            return EntryCheck::refused(kTotalRange, EntryField::Buhin);
        tot = int(total);
    }
    const qint64 payments = qint64(nyu) + nyuCho;
    if ((cause == RecalcCause::Payments || all) && !withinAmount(payments))
        return EntryCheck::refused(kPaymentsRange, EntryField::Nyu);
    const qint64 net = isPayment() ? payments : tot - payments;
    if (!withinAmount(net))
        return EntryCheck::refused(kResultRange, EntryField::Buhin);
    result = int(net);
    return {};
}

data::ToriJnlRow LedgerEntry::toRow(int customerCode, const QTime& timeOfDay) const
{
    data::ToriJnlRow row;
    row.m_KokCode = customerCode;
    row.m_Date = data::toDayNumber(date, timeOfDay);
    row.m_NyuukoKbnCode = categoryCode;
    row.m_CarCode = carCode;
    row.m_Rikuji = rikuji;
    row.m_Rno = rno;
    row.m_Kana = kana;
    row.m_Preno = preno;
    row.m_ToriKbn = isPayment() ? 2 : (nyu == 0 && nyuCho == 0 ? 1 : 0);
    row.m_Buhin = buhin;
    row.m_Koutin = koutin;
    row.m_Sonota = sonota;
    row.m_Zei = zei;
    row.m_HikaSyohi = hikaSyohi;
    row.m_KaSyohi = kaSyohi;
    row.m_SyoZei = syoZei;
    row.m_Tot = tot;
    row.m_Nyu = nyu;
    row.m_NyuCho = nyuCho;
    row.m_GTot = isPayment() ? -result : result;
    row.m_Tekiyo = tekiyo;
    return row;
}

LedgerEntry LedgerEntry::fromRow(const data::ToriJnlRow& row, int categoryKind)
{
    LedgerEntry entry;
    entry.date = data::fromDayNumber(row.m_Date).date();
    entry.categoryCode = row.m_NyuukoKbnCode;
    entry.categoryKind = categoryKind;
    entry.carCode = row.m_CarCode;
    entry.rikuji = row.m_Rikuji;
    entry.rno = row.m_Rno;
    entry.kana = row.m_Kana;
    entry.preno = row.m_Preno;
    entry.buhin = row.m_Buhin;
    entry.koutin = row.m_Koutin;
    entry.sonota = row.m_Sonota;
    entry.zei = row.m_Zei;
    entry.hikaSyohi = row.m_HikaSyohi;
    entry.kaSyohi = row.m_KaSyohi;
    entry.syoZei = row.m_SyoZei;
    entry.tot = row.m_Tot;
    entry.nyu = row.m_Nyu;
    entry.nyuCho = row.m_NyuCho;
    entry.result = entry.isPayment() ? -row.m_GTot : row.m_GTot;
    entry.tekiyo = row.m_Tekiyo;
    return entry;
}

} // namespace kv::ledger
