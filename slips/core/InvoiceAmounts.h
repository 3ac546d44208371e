#pragma once

#include "data/tables/TableRows.h"

#include <QString>

namespace kv::slips {

// A delivery note's amounts as a qualified invoice lists them: the taxable
// total of the one rate with its tax, and apart from it the non-taxable
// compulsory insurance and the costs outside the tax (weight tax, stamps
// and the costs the shop did not tick as taxable, paid on the customer's
// behalf).
struct InvoiceAmounts {
    qint64 taxable = 0;
    qint64 tax = 0;
    qint64 nonTaxable = 0;
    qint64 outOfScope = 0;

    static InvoiceAmounts of(const data::SyaheadRow& slip);
    InvoiceAmounts& operator+=(const InvoiceAmounts& other);
    bool operator==(const InvoiceAmounts&) const = default;

    // "10%" for 1000 hundredths of a percent, "8%" for 800, "10.5%" for 1050.
    static QString rateText(int hundredthsOfPercent);
};

} // namespace kv::slips
