#pragma once

#include <QString>

namespace kv::reports {

class ReportTable;

// A list report as a CSV file: one line of column titles, then every row;
// fields quoted where they hold a comma, a quote or a line break (quotes
// doubled), lines ended by CR LF. Amounts are plain integers, dates
// "yyyy/MM/dd". The file is written beside its place and put there only
// when whole, so a failed write never leaves a half file under its name.
namespace ReportCsv {

enum class Encoding {
    Cp932,   // what the shop's other programs read
    Utf8Bom, // UTF-8 with a byte-order mark
};

// False with the reason in *error when the file could not be written.
bool write(ReportTable& table, const QString& path, Encoding encoding = Encoding::Cp932,
           QString* error = nullptr);

// One field as it stands in a line.
QString field(const QString& text);

} // namespace ReportCsv

} // namespace kv::reports
