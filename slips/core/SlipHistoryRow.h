#pragma once

#include "data/tables/TableRows.h"

#include <QString>

namespace kv::slips {

// One slip as the vehicle's history lists it: its number and the cell
// texts, amounts comma-grouped.
struct SlipHistoryRow {
    int slipNumber = 0;
    QString number;    // "%06d"
    QString issued;    // "YY/MM/DD", empty without a valid date
    QString kind;      // 納品書 ...
    QString category;  // the job category's name, empty when it is gone
    QString partsAndLabour;
    QString discount;
    QString tax;
    QString costs;
    QString total;
    QString received;
    QString billed;

    static SlipHistoryRow of(const data::SyaheadRow& slip, const QString& categoryName);
};

// The name of a slip kind, empty for an unknown one.
QString slipKindName(int kind);

} // namespace kv::slips
