#include "data/costs/CostLookup.h"

#include <algorithm>
#include <limits>

namespace kv::data {

namespace {
QString dateText(QDate date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

CostFigure undecided(const QString& reason)
{
    CostFigure figure;
    figure.reason = reason;
    return figure;
}
} // namespace

CostClass CostLookup::classOf(const CostVehicle& v, QString* reason)
{
    const QString text = v.classText.trimmed();
    if (text.contains(QStringLiteral("二輪")))
        return CostClass::Motorcycle;
    if (text.startsWith(u'軽'))
        return CostClass::Kei;
    if (text == QStringLiteral("普通"))
        return CostClass::Normal;
    if (text == QStringLiteral("小型"))
        return CostClass::Small;
    *reason = text.isEmpty() ? QStringLiteral("自動車の種別がありません")
                             : QStringLiteral("種別「%1」の表がありません").arg(text);
    return CostClass::None;
}

CostClass CostLookup::passengerClassOf(const CostVehicle& v, QString* reason)
{
    const CostClass c = classOf(v, reason);
    if (c == CostClass::None || c == CostClass::Motorcycle)
        return c;
    if (v.jiei == 2) {
        *reason = QStringLiteral("事業用の表がありません");
        return CostClass::None;
    }
    if (!v.useText.contains(QStringLiteral("乗用"))) {
        *reason = v.useText.trimmed().isEmpty()
            ? QStringLiteral("用途がありません")
            : QStringLiteral("用途「%1」の表がありません").arg(v.useText.trimmed());
        return CostClass::None;
    }
    return c;
}

int CostLookup::ageInYears(QDate first, QDate date)
{
    const int months = (date.year() - first.year()) * 12 + date.month() - first.month();
    return months < 0 ? -1 : months / 12;
}

int CostLookup::insuranceMonths(QDate currentExpiry, QDate date)
{
    return currentExpiry.isValid() && currentExpiry > date ? 25 : 24;
}

template <typename Pred>
CostFigure CostLookup::latest(QDate date, const QString& what, Pred matches) const
{
    const CostRow* best = nullptr;
    QDate firstStart;
    for (const CostRow& row : m_rows) {
        if (!matches(row))
            continue;
        if (!firstStart.isValid() || row.from < firstStart)
            firstStart = row.from;
        if (row.from <= date && (!best || row.from > best->from))
            best = &row;
    }
    if (!best)
        return undecided(firstStart.isValid()
                             ? QStringLiteral("%1の表は%2からです").arg(what, dateText(firstStart))
                             : QStringLiteral("%1の表に該当する行がありません").arg(what));
    CostFigure figure;
    figure.decided = true;
    figure.amount = best->amount;
    figure.tableFrom = best->from;
    figure.stale = best->from.addYears(1) < date;
    return figure;
}

CostFigure CostLookup::insurance(const CostVehicle& v, QDate date, CostArea area, int months) const
{
    QString reason;
    const CostClass c = passengerClassOf(v, &reason);
    if (c == CostClass::None)
        return undecided(reason);
    const QString what = QStringLiteral("自賠責（%1・%2・%3ヶ月）")
                             .arg(CostNames::area(area), CostNames::vehicleClass(c))
                             .arg(months);
    return latest(date, what, [&](const CostRow& r) {
        return r.table == CostTable::Insurance && r.vehicleClass == c && r.area == area
            && r.months == months;
    });
}

CostFigure CostLookup::weightTax(const CostVehicle& v, QDate date, int years) const
{
    QString reason;
    const CostClass c = passengerClassOf(v, &reason);
    if (c == CostClass::None)
        return undecided(reason);
    if (!v.firstRegistration.isValid())
        return undecided(QStringLiteral("初度登録年月がありません"));
    const int age = ageInYears(v.firstRegistration, date);
    if (age < 0)
        return undecided(QStringLiteral("初度登録年月が伝票の日付より後です"));
    auto candidate = [&](const CostRow& r) {
        return r.table == CostTable::WeightTax && r.vehicleClass == c && r.years == years
            && r.eco == v.eco && r.from <= date;
    };
    // A flat class has one step of weight 0; the others need the weight.
    bool flat = false, stepped = false;
    for (const CostRow& r : m_rows) {
        if (candidate(r))
            (r.weightUpTo == 0 ? flat : stepped) = true;
    }
    int step = 0;
    if (!flat) {
        if (stepped && v.weightKg <= 0)
            return undecided(QStringLiteral("車輌重量がありません"));
        int best = std::numeric_limits<int>::max();
        for (const CostRow& r : m_rows) {
            if (candidate(r) && r.weightUpTo >= v.weightKg && r.weightUpTo < best)
                best = r.weightUpTo;
        }
        if (stepped && best == std::numeric_limits<int>::max())
            return undecided(QStringLiteral("車輌重量%1kgの区分が表にありません").arg(v.weightKg));
        step = stepped ? best : 0;
    }
    int band = -1;
    for (const CostRow& r : m_rows) {
        if (candidate(r) && r.weightUpTo == step && r.age <= age)
            band = std::max(band, r.age);
    }
    const QString what = QStringLiteral("重量税（%1%2）")
                             .arg(CostNames::vehicleClass(c),
                                  v.eco ? QStringLiteral("・エコ") : QString());
    return latest(date, what, [&](const CostRow& r) {
        return r.table == CostTable::WeightTax && r.vehicleClass == c && r.years == years
            && r.eco == v.eco && r.weightUpTo == step && r.age == band;
    });
}

CostFigure CostLookup::inspectionFee(const CostVehicle& v, QDate date, InspectionPath path) const
{
    QString reason;
    const CostClass c = classOf(v, &reason);
    if (c == CostClass::None)
        return undecided(reason);
    const QString what = QStringLiteral("検査手数料（%1・%2）")
                             .arg(CostNames::path(path), CostNames::vehicleClass(c));
    return latest(date, what, [&](const CostRow& r) {
        return r.table == CostTable::InspectionFee && r.vehicleClass == c && r.path == path;
    });
}

CostQuote CostLookup::quote(const CostVehicle& v, QDate date, CostArea area, InspectionPath path,
                            int months) const
{
    return {insurance(v, date, area, months), weightTax(v, date), inspectionFee(v, date, path)};
}

} // namespace kv::data
