#pragma once

#include <QDate>
#include <QString>

namespace kv::data {

// One dated row of the statutory costs of an inspection: the figure that
// applies from its start date until a row of the same key starts later.
enum class CostTable { Insurance = 1, WeightTax = 2, InspectionFee = 3 };

// The classes the tables know; the vehicle's own class list is the shop's
// and is mapped onto these.
enum class CostClass { None = 0, Normal = 1, Small = 2, Kei = 3, Motorcycle = 4 };

// 本土, 離島, 沖縄本島, 沖縄離島.
enum class CostArea { Mainland = 0, Islands = 1, Okinawa = 2, OkinawaIslands = 3 };

// 指定整備 (designated shop), 持込 (brought in).
enum class InspectionPath { Designated = 0, BroughtIn = 1 };

struct CostRow {
    int id = 0; // 0 for a row not stored yet
    CostTable table = CostTable::Insurance;
    QDate from;
    CostArea area = CostArea::Mainland;          // insurance only
    InspectionPath path = InspectionPath::Designated; // inspection fee only
    CostClass vehicleClass = CostClass::None;
    int months = 0;     // insurance
    int weightUpTo = 0; // weight tax: upper bound of the step in kg, 0 flat
    int age = 0;        // weight tax: the band from this age in years (0, 13, 18)
    bool eco = false;   // weight tax: the eco rate (then age 0)
    int years = 2;      // weight tax: 2 or 1 year inspection
    int amount = 0;

    // Rows with the same key replace each other over time.
    bool sameKey(const CostRow& other) const;
    bool operator==(const CostRow&) const = default;
};

// The names the tables window and the CSV files use.
namespace CostNames {
QString table(CostTable table);
QString vehicleClass(CostClass vehicleClass);
QString area(CostArea area);
QString path(InspectionPath path);
// nullopt-like: false when the text names nothing.
bool tableOf(const QString& text, CostTable* table);
bool classOf(const QString& text, CostClass* vehicleClass);
bool areaOf(const QString& text, CostArea* area);
bool pathOf(const QString& text, InspectionPath* path);
} // namespace CostNames

} // namespace kv::data
