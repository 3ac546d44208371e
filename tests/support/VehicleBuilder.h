#pragma once

#include "support/RecordBuilder.h"

#include "data/tables/DaoRecordsets.h"

#include <QDate>

namespace kv::test {

// A vehicle row for a test's data folder:
//   VehicleBuilder(10).owner(1).plate("品川", 500, "あ", 1234).chassis("A-1").insertInto(store);
class VehicleBuilder : public RecordBuilder<CDaoCarSet, VehicleBuilder> {
public:
    explicit VehicleBuilder(int code);

    VehicleBuilder& owner(int customerCode);                                  // KokCode
    // Rikuji, Rno, Kana, Preno
    VehicleBuilder& plate(const QString& office, int classNumber, const QString& kana, int number);
    VehicleBuilder& chassis(const QString& number);                           // Syatai
    VehicleBuilder& maker(int makerCode);                                     // Syamei
    VehicleBuilder& model(const QString& name);                               // Syasyu
    VehicleBuilder& inspectionExpiry(const QDate& date);                      // Syaman
    VehicleBuilder& inspectionExpiry(double dayNumber);
    VehicleBuilder& insuranceExpiry(const QDate& date);                       // Homan
    VehicleBuilder& registered(const QDate& date);                            // Tounen
    VehicleBuilder& firstRegistered(const QDate& date);                       // Syonen
};

} // namespace kv::test
