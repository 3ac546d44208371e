#pragma once

#include "data/tables/DaoRecordsets.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <random>

namespace kv::data {

// Realistic records of a shop in the Kanto area: customers with common
// Japanese names and their half-width readings, real postal codes and
// addresses, telephone numbers of the area, vehicles with plates of the
// matching transport office and certificate data of common models,
// inspection dates that follow the registration, slips with lines of usual
// work and parts. The same seed and reference date give the same records.
// Every member of a record is set, so a recordset can be reused as a
// buffer for bulk loading.
class SampleRecordMaker {
public:
    // The shop's fee for taking a vehicle to its inspection (代行料).
    static constexpr int kAgencyFee = 11000;

    // Job category codes of a fresh data folder (seeded in this order, so
    // numbered 1..10 by the table).
    enum JobCategory : int {
        GeneralRepair = 1, Inspection, HalfYearCheck, YearCheck, BodyAndPaint, PartsSale,
        Insurance, VehicleSale, OtherJob, Payment,
    };

    struct SlipTotals {
        int partsLines = 0;  // 部品 amounts of the lines
        int labourLines = 0; // 工賃 of the lines
    };

    explicit SampleRecordMaker(std::uint64_t seed, QDate referenceDate);

    QDate referenceDate() const { return m_today; }
    static int addressCount();
    static int itemCount();
    static int modelCount();

    // A customer living at a random address; returns the address index
    // (for the plates of his vehicles). referrerLimit > 0 lets about one in
    // twenty customers name a referrer among the codes below it.
    int customer(CDaoKokSet& record, int code, int vehicleCount, int referrerLimit);
    void vehicle(CDaoCarSet& record, int code, int customer, int address);
    // An entry of the model pick list: a model of the sample vehicles under
    // its make, by index.
    void model(CDaoSyasyuSet& record, int index);
    // One of the shop's usual work and parts items, by index.
    void item(CDaoMeisaiSet& record, int code, int index);
    // A random line of a slip of that job category; adds to totals.
    void slipLine(CDaoSyaJnlSet& record, int slipNo, int lineNo, int jobCategory, SlipTotals& totals);
    // A random job category as a shop's slips spread over them.
    int slipJobCategory();
    // The header of a slip whose lines gave totals, issued on issueDate.
    void slipHeader(CDaoSyaHeadSet& record, int slipNo, int vehicle, int billedCustomer, int jobCategory,
                    QDate issueDate, const SlipTotals& totals);

private:
    int uniform(int low, int high); // both inclusive
    bool chance(int percent);
    QString telephone(int address);
    QString mobile();
    QString street();

    std::mt19937_64 m_random;
    QDate m_today;
};

} // namespace kv::data
