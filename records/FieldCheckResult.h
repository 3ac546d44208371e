#pragma once

#include <QString>

namespace kv::records {

// What a field rule decides about typed text: accepted with the text the
// field is rewritten to, or refused with the message and the reset text.
struct FieldCheckResult {
    bool accepted = false;
    QString text;
    QString message;

    static FieldCheckResult accept(QString canonical) { return {true, std::move(canonical), {}}; }
    static FieldCheckResult refuse(QString message, QString resetText)
    {
        return {false, std::move(resetText), std::move(message)};
    }
};

} // namespace kv::records
