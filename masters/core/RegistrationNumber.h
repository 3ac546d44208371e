#pragma once

#include <QString>

namespace kv::masters {

// The invoice issuer's registration number: "T" and 13 digits, the first of
// which checks the other twelve as a corporate number does. A sole trader's
// number need not pass that check, so a failed check digit only warns.
namespace RegistrationNumber {

enum class Verdict { Empty, Valid, CheckDigitFails, Malformed };

// The text as it is kept: blanks dropped, full-width letters and digits
// narrowed, a lower-case "t" raised.
QString normalized(const QString& typed);
Verdict check(const QString& normalizedText);
// The check digit of the twelve digits after it, -1 unless twelve digits.
int checkDigit(const QString& twelveDigits);

QString malformedMessage();
QString checkDigitQuestion();

} // namespace RegistrationNumber

} // namespace kv::masters
