#pragma once

#include "data/costs/CostRow.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kv::data {

// The CSV layout of the cost tables, one row a line after a heading line:
// 表,適用開始日,地域,検査経路,区分,月数,重量上限,経年,エコ,年数,金額
// Fields a table does not use stay empty. The file is UTF-8 (with or
// without a byte order mark) or, when it is not valid UTF-8, CP932.
class CostCsv {
public:
    struct Result {
        std::vector<CostRow> rows;
        QString refusal; // names the line; empty when every line was read
    };
    static Result read(const QByteArray& bytes);
    static QByteArray write(const std::vector<CostRow>& rows); // UTF-8

    static QString heading();
};

// Checks rows before they are stored: a known class, area and path for
// their table, a sane key, no negative amount, and no two rows with the
// same key starting on the same day (their periods would overlap). The
// refusal is empty when the rows may be stored.
namespace CostRules {
QString checkRow(const CostRow& row);
QString checkTogether(const std::vector<CostRow>& rows);
} // namespace CostRules

} // namespace kv::data
