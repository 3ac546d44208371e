#pragma once

#include <QString>

namespace kv::records {

// While a new customer is entered, what the owner lines give the user lines
// and the base of use.
class OwnerToUserCopy {
public:
    // The user line after the matching owner line was left.
    static QString userLine(const QString& ownerLine, const QString& userLine);
    // The first base-of-use line after the first owner-address line was left.
    static QString baseOfUseFirstLine(const QString& ownerAddress1, const QString& baseLine1);
};

} // namespace kv::records
