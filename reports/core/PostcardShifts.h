#pragma once

#include <QString>

#include <optional>

namespace kv::data {
struct PrintPositions;
}

namespace kv::reports {

// Where a postcard side moves, tenths of a millimetre: a positive down moves
// the print down, a positive right moves it right.
struct PostcardShift {
    int down = 0;
    int right = 0;

    // The shifts kept at the head of "003.dat": address side vertical and
    // horizontal, then back side vertical and horizontal.
    static PostcardShift addressSide(const data::PrintPositions& positions);
    static PostcardShift backSide(const data::PrintPositions& positions);
    bool operator==(const PostcardShift&) const = default;
};

// The postcard shifts as typed in millimetres with one decimal and kept in
// tenths of a millimetre, rounded down: 1.25 is kept as 12, -1.25 as -13.
// The typed text is read as a plain decimal (digits, one point, a sign):
// no exponents, no grouping.
namespace PostcardShifts {

inline QString outOfRange() { return QStringLiteral("-99.9から99.9迄を入力して下さい！"); }

// The tenths of a typed value from -99.9 to 99.9; none for anything else.
std::optional<int> tenthsOf(const QString& millimetres);
// "%.1f" of the millimetres.
QString shown(int tenths);

} // namespace PostcardShifts

} // namespace kv::reports
