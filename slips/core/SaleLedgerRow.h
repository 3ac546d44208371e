#pragma once

#include "data/tables/TableRows.h"

#include <QString>

namespace kv::slips {

// The ledger row a recorded delivery note posts for its billing customer:
// the sale split into parts, labour, tax, the non-taxable and taxable
// costs, with the money received in advance as a payment.
//
// vehicle: the slip's vehicle as it is now, none when it is gone.
// dateTime: the issue date with the time of day, as a day number.
// note: the slip's customer when it is not the billing customer (noteFor).
data::ToriJnlRow saleRowOf(const data::SyaheadRow& slip, const data::CarRow* vehicle,
                           double dateTime, const QString& note);

// "%d %s": the slip's customer code and the first 10 bytes of its name.
QString noteFor(int customerCode, const QString& displayName);

} // namespace kv::slips
