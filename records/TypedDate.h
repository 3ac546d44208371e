#pragma once

#include <QString>

namespace kv::records {

// A date as typed into a panel date field: digits with optional "/", read
// by position once the "/" are dropped (1-2 digits YY, 3-4 YYMM, 5-6
// YYMMDD), so 12/3/4 reads like 1234.
struct TypedDate {
    enum class State { Empty, Invalid, Parts };

    State state = State::Empty;
    int year = 0;
    int month = 0;
    int day = 0;

    static TypedDate parse(const QString& text);

    bool isEmpty() const { return state == State::Empty; }
    bool isInvalid() const { return state == State::Invalid; }
    // Year, month and (unless yearMonthOnly) day all non-zero.
    bool isComplete(bool yearMonthOnly) const;
    // "YY/MM/DD", or "YY/MM" for a year-month field.
    QString canonical(bool yearMonthOnly) const;
};

} // namespace kv::records
