#pragma once

#include <QString>

#include <optional>

namespace kv::ledger {

// Comma grouping of any 64-bit amount ("-1,234,567,890"): sums and
// balances may pass what Kanma, which takes int, can show.
QString groupedAmount(qint64 value);

// An integer typed with or without comma grouping and an optional sign;
// nullopt when it is no integer or has more than 18 digits.
std::optional<qint64> amountFromText(const QString& text);

} // namespace kv::ledger
