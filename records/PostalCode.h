#pragma once

#include "records/FieldCheckResult.h"

#include <QString>

namespace kv::records {

// 郵便番号: stored as the integer of up to seven digits, shown NNN-NNNN.
class PostalCode {
public:
    static QString show(int stored); // empty for 0
    // Digits, at most seven, and one "-" only as the fourth character.
    static bool read(const QString& text, int* stored);
    static FieldCheckResult checkOnLeave(const QString& text);
};

} // namespace kv::records
