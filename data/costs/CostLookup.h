#pragma once

#include "data/costs/CostRow.h"

#include <QDate>
#include <QString>

#include <vector>

namespace kv::data {

// What of a vehicle decides its statutory costs: the texts of its class and
// use lists (the shop's lists, so matched by name), 自家・事業, its weight,
// its first registration and whether it is an eco car.
struct CostVehicle {
    QString classText;
    QString useText;
    int jiei = 0; // 0 not set, 1 自家用, 2 事業用
    int weightKg = 0;
    QDate firstRegistration;
    bool eco = false;
};

// One cost looked up: the amount when the tables decide it, else why not;
// the start date of the row used and whether that row is more than a year
// old on the date asked for (the shop should check for a newer rate).
struct CostFigure {
    bool decided = false;
    int amount = 0;
    QString reason;
    QDate tableFrom;
    bool stale = false;
};

struct CostQuote {
    CostFigure insurance;
    CostFigure weightTax;
    CostFigure inspectionFee;
};

// Looks up the dated rows for a vehicle on a date: the latest row of the
// vehicle's key that started on or before the date.
class CostLookup {
public:
    explicit CostLookup(std::vector<CostRow> rows) : m_rows(std::move(rows)) {}

    CostFigure insurance(const CostVehicle& vehicle, QDate date, CostArea area, int months) const;
    CostFigure weightTax(const CostVehicle& vehicle, QDate date, int years = 2) const;
    CostFigure inspectionFee(const CostVehicle& vehicle, QDate date, InspectionPath path) const;
    CostQuote quote(const CostVehicle& vehicle, QDate date, CostArea area, InspectionPath path,
                    int months) const;

    // The table's class of the vehicle, or None with the reason.
    static CostClass classOf(const CostVehicle& vehicle, QString* reason);
    // Whole years from the first registration's year and month.
    static int ageInYears(QDate firstRegistration, QDate date);
    // 25 months when the new period starts before the current insurance
    // (running with the inspection) ends, 24 otherwise.
    static int insuranceMonths(QDate currentExpiry, QDate date);

private:
    // The classes the insurance and weight tax tables hold are those of
    // private passenger vehicles; a truck or a business vehicle has its own.
    static CostClass passengerClassOf(const CostVehicle& vehicle, QString* reason);
    template <typename Pred>
    CostFigure latest(QDate date, const QString& what, Pred matches) const;

    std::vector<CostRow> m_rows;
};

} // namespace kv::data
