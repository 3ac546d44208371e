#pragma once

#include "reports/core/BillingStatements.h"
#include "reports/core/ReceivablesList.h"
#include "reports/core/ReportTable.h"

#include <memory>

namespace kv::reports {

// The ledger reports as tables, the same for their printout and their CSV
// file, with the selection in the heading and the totals under the rows.
namespace LedgerTables {

std::unique_ptr<ReportTable> billing(const BillingOutcome& billed, const CustomerSelection& selection,
                                     const ReportPeriod& period);
std::unique_ptr<ReportTable> receivables(const ReceivablesList& owed, CustomerSelection::Order order,
                                         const QDate& lastDay);

// The selection in words for a heading line.
QString customerHeading(const CustomerSelection& selection);
QString periodHeading(const ReportPeriod& period);

} // namespace LedgerTables

} // namespace kv::reports
