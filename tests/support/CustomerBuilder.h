#pragma once

#include "support/RecordBuilder.h"

#include "data/tables/DaoRecordsets.h"

#include <QDate>

namespace kv::test {

// A customer row for a test's data folder:
//   CustomerBuilder(1).name("山田", "太郎").reading("ﾔﾏﾀﾞ").vehicles(2).insertInto(doc.store());
class CustomerBuilder : public RecordBuilder<CDaoKokSet, CustomerBuilder> {
public:
    explicit CustomerBuilder(int code);

    CustomerBuilder& name(const QString& first, const QString& second = {});   // UserName1/2
    CustomerBuilder& reading(const QString& kana);                              // Furi
    CustomerBuilder& owner(const QString& first, const QString& second = {});  // OwnerName1/2
    CustomerBuilder& address(const QString& line1, const QString& line2 = {}); // UserJyu1/2
    CustomerBuilder& base(const QString& line1, const QString& line2 = {});    // UseBase1/2
    CustomerBuilder& postalCode(int code);                                      // Post
    CustomerBuilder& phone(const QString& number);                              // Tel1
    CustomerBuilder& birthday(const QDate& date);                               // Burth
    CustomerBuilder& referrer(int customerCode);                                // SyoukaiKokCode
    CustomerBuilder& vehicles(int count);                                       // Hoyu
};

} // namespace kv::test
