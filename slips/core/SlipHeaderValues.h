#pragma once

#include "data/tables/TableRows.h"

#include <QDate>
#include <QTime>

namespace kv::slips {

// The slip header as the header form has checked it: dates are invalid
// when left empty.
struct HeaderValues {
    int kind = 0;
    QDate issueDate;
    int categoryCode = 0;
    int categoryKind = 0;
    int mileage = 0;
    QDate nextInspection;
    QDate dateIn;
    QDate deliveryDate;
    int labourRate = 0;
    int bodyWorkRate = 0;

    // The header columns of a slip row; the issue date takes the time of
    // recording, so that slips of one day keep their order, and an empty
    // date becomes the empty-date value.
    void writeInto(data::SyaheadRow& header, const QTime& now) const;
};

} // namespace kv::slips
