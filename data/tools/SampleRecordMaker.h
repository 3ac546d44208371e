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
    // Job category codes of a fresh data folder (seeded in this order, so
    // numbered 1..10 by the table).
    enum JobCategory : int {
        GeneralRepair = 1, Inspection, HalfYearCheck, YearCheck, BodyAndPaint, PartsSale,
        Insurance, VehicleSale, OtherJob, Payment,
    };

    // A vehicle's plate as a ledger row records it.
    struct Plate {
        QString rikuji;
        int rno = 0;
        QString kana;
        int preno = 0;
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

    // The ledger row a recorded delivery note posts to its billing
    // customer, dated on its issue day at a time of the working day.
    void postedSale(CDaoToriJnlSet& record, const CDaoSyaHeadSet& slip, const Plate& plate);
    // A sale typed in the ledger on that day: random parts, labour and
    // other sales with their tax; paid at once about one time in three
    // (ToriKbn 0), else on credit (ToriKbn 1).
    void typedSale(CDaoToriJnlSet& record, int customer, QDate date, int jobCategory);
    // A payment of the amount received on that day (job category 入金).
    void payment(CDaoToriJnlSet& record, int customer, QDate date, int amount);
    // Days until a sale on credit is paid (a week to six weeks).
    int paymentDelay() { return uniform(7, 45); }
    // A random job category of the sales typed in the ledger.
    int typedSaleJobCategory();
    // A random whole number from low to high, both inclusive.
    int pick(int low, int high) { return uniform(low, high); }

private:
    void clearLedgerRow(CDaoToriJnlSet& record, int customer, QDate date);
    int uniform(int low, int high); // both inclusive
    bool chance(int percent);
    QString telephone(int address);
    QString mobile();
    QString street();

    std::mt19937_64 m_random;
    QDate m_today;
};

} // namespace kv::data
