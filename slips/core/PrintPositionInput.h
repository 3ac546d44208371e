#pragma once

#include <QString>

#include <optional>

namespace kv::slips {

// A print position typed in millimetres with at most one decimal kept: the
// stored value is floor(mm × 10) tenths, taken from the typed decimal digits
// themselves so that 8.2 stays 82 and -1.25 becomes -13.
class PrintPositionInput {
public:
    // Margins: -99.9..99.9 mm; fold and centre marks: -297.0..297.0 mm.
    static constexpr int kMarginLimit = 999;
    static constexpr int kFoldLimit = 2970;

    // The tenths of a typed value within ±limit tenths; nothing for any
    // other text.
    static std::optional<int> tenthsOf(const QString& text, int limit);
    // "%.1f" of the tenths in millimetres.
    static QString text(int tenths);

    static QString marginMessage() { return QStringLiteral("-99.9から99.9迄を入力して下さい！"); }
    static QString foldMessage() { return QStringLiteral("-297.0から297.0迄を入力して下さい！"); }
};

} // namespace kv::slips
