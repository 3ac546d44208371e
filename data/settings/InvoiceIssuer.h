#pragma once

#include <QString>

namespace kv::data {

// The shop as a qualified invoice issuer: its registration number, kept
// beside the fixed-layout files in a small text file of our own, because
// "004.dat" has no room for it. An empty number means the shop issues no
// qualified invoices.
struct InvoiceIssuer {
    static inline const QString kFileName = QStringLiteral("InvoiceIssuer.txt");

    QString registrationNumber;

    bool isIssuer() const { return !registrationNumber.isEmpty(); }
    bool operator==(const InvoiceIssuer&) const = default;

    // A missing file reads as no number; false (after the file error
    // message) when it exists but cannot be read.
    static bool load(const QString& dataFolder, InvoiceIssuer* into);
    // Written whole into a new file that then replaces the old one, so that
    // another computer never reads half of it.
    bool save(const QString& dataFolder) const;
};

} // namespace kv::data
