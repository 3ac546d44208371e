#pragma once

#include "records/certificate/CertificateData.h"

#include <QByteArray>
#include <QString>

namespace kv::records {

// The file the certificate reader application exports as JSON:
// { "CertInfoImportFileVersion": "1.0", "CertInfo": { ... } }.
class CertificateFile {
public:
    // Larger files are refused unread.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    struct Result {
        bool ok = false;
        QString message; // why nothing was read
        QString warning; // read, but from an unknown version
        CertificateData data;
    };

    static Result read(const QString& path);
    static Result parse(const QByteArray& bytes);
};

} // namespace kv::records
