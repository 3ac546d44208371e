#pragma once

#include "records/certificate/CertificateData.h"

#include <QString>
#include <QStringList>

namespace kv::records {

// The 2D codes of a paper certificate as a keyboard-wedge scanner types
// them, one code a line, fields separated by "/": codes 2 and 3 of a
// registered car (leading "2", 6 and 19 fields) or of a 軽 (leading "K",
// 7 and 19 fields), in any order. A line's head and field count are
// checked before any of its fields is used.
class CertificateCodes {
public:
    struct Result {
        bool ok = false;
        QString message;        // which code is wrong
        QStringList recognised; // what was read, one entry a code
        CertificateData data;
    };

    static Result read(const QString& scanned);

    // The fuel of a fuel code, "" for an unknown one.
    static QString fuelName(const QString& code);
};

} // namespace kv::records
