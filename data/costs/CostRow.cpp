#include "data/costs/CostRow.h"

#include <array>
#include <utility>

namespace kv::data {

bool CostRow::sameKey(const CostRow& o) const
{
    if (table != o.table || vehicleClass != o.vehicleClass)
        return false;
    switch (table) {
    case CostTable::Insurance: return area == o.area && months == o.months;
    case CostTable::WeightTax:
        return weightUpTo == o.weightUpTo && age == o.age && eco == o.eco && years == o.years;
    case CostTable::InspectionFee: return path == o.path;
    }
    return false;
}

namespace CostNames {
namespace {

template <typename E, size_t N>
QString nameIn(const std::array<std::pair<E, const char*>, N>& names, E value)
{
    for (const auto& [v, text] : names)
        if (v == value)
            return QString::fromUtf8(text);
    return {};
}

template <typename E, size_t N>
bool valueIn(const std::array<std::pair<E, const char*>, N>& names, const QString& text, E* value)
{
    const QString wanted = text.trimmed();
    for (const auto& [v, name] : names) {
        if (wanted == QString::fromUtf8(name)) {
            *value = v;
            return true;
        }
    }
    return false;
}

constexpr std::array<std::pair<CostTable, const char*>, 3> kTables{{
    {CostTable::Insurance, "自賠責"}, {CostTable::WeightTax, "重量税"},
    {CostTable::InspectionFee, "検査手数料"},
}};
constexpr std::array<std::pair<CostClass, const char*>, 4> kClasses{{
    {CostClass::Normal, "普通"}, {CostClass::Small, "小型"}, {CostClass::Kei, "軽"},
    {CostClass::Motorcycle, "小型二輪"},
}};
constexpr std::array<std::pair<CostArea, const char*>, 4> kAreas{{
    {CostArea::Mainland, "本土"}, {CostArea::Islands, "離島"}, {CostArea::Okinawa, "沖縄本島"},
    {CostArea::OkinawaIslands, "沖縄離島"},
}};
constexpr std::array<std::pair<InspectionPath, const char*>, 2> kPaths{{
    {InspectionPath::Designated, "指定整備"}, {InspectionPath::BroughtIn, "持込"},
}};

} // namespace

QString table(CostTable v) { return nameIn(kTables, v); }
QString vehicleClass(CostClass v) { return nameIn(kClasses, v); }
QString area(CostArea v) { return nameIn(kAreas, v); }
QString path(InspectionPath v) { return nameIn(kPaths, v); }
bool tableOf(const QString& text, CostTable* v) { return valueIn(kTables, text, v); }
bool classOf(const QString& text, CostClass* v) { return valueIn(kClasses, text, v); }
bool areaOf(const QString& text, CostArea* v) { return valueIn(kAreas, text, v); }
bool pathOf(const QString& text, InspectionPath* v) { return valueIn(kPaths, text, v); }

} // namespace CostNames
} // namespace kv::data
