#pragma once

#include "controls/FieldVerdict.h"

#include <QString>

namespace kv {

// How an accepted integer is written back into its field.
enum class IntegerStyle {
    Grouped,    // thousands commas (amounts, weights, lengths)
    Plain,      // digits as typed, without leading zeros
    ZeroPadded, // fixed width with leading zeros (type and class codes)
};

// The usual integer field: a range, the message naming it, the reset text
// and the canonical form. Grouped fields read commas; the others read bare
// digits with an optional leading minus.
struct IntegerField {
    int minimum = 0;
    int maximum = 0;
    QString message;
    QString resetText;
    IntegerStyle style = IntegerStyle::Plain;
    int width = 0;            // for ZeroPadded
    bool emptyWhenZero = false;
};

// Reads typed integer text as the field would; false when it is no integer.
// Empty text reads as 0.
bool readIntegerField(const IntegerField& field, const QString& text, int* value);
// The canonical text of a value.
QString writeIntegerField(const IntegerField& field, int value);

FieldCheck integerFieldCheck(IntegerField field);

} // namespace kv
