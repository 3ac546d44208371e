#pragma once

#include "support/RecordBuilder.h"

#include "data/tables/DaoRecordsets.h"

#include <QDate>

namespace kv::test {

// A ledger row for a test's data folder, at noon of its day:
//   LedgerBuilder(1, QDate(2025, 3, 1)).sale(5000).insertInto(store);
class LedgerBuilder : public RecordBuilder<CDaoToriJnlSet, LedgerBuilder> {
public:
    LedgerBuilder(int customerCode, const QDate& date);

    // A sale on credit: ToriKbn 1, Tot and GTot.
    LedgerBuilder& sale(int amount);
    // A sale paid at once in part: ToriKbn 0, Tot, Nyu, GTot the rest.
    LedgerBuilder& paidSale(int amount, int received);
    // A payment: ToriKbn 2, Nyu and NyuCho, GTot their negative.
    LedgerBuilder& payment(int received, int adjustment = 0);
    LedgerBuilder& category(int jobCategory); // NyuukoKbnCode
};

// The balance record of a customer.
class BalanceBuilder : public RecordBuilder<CDaoZanSet, BalanceBuilder> {
public:
    BalanceBuilder(int customerCode, int carriedForward);
};

} // namespace kv::test
