#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kv::slips {

struct SlipPrintData;

// One issued invoice kept in the archive.
struct ArchivedInvoice {
    int slipNumber = 0;
    int version = 0; // 1.. per slip and year
    int customerCode = 0;
    bool corrected = false;
    QString fingerprint;
    QDateTime issued;
    QString pdfPath;
};

// The copies of issued invoices, kept in the data folder as
// "Invoice/<year>/<slip number>-<n>.pdf" beside a small text of what they
// were made from. A version is never overwritten: each computer claims the
// next free number by creating the file exclusively, so two computers
// printing the same slip at once keep both copies under their own numbers.
class InvoiceArchive {
public:
    using PdfWriter = std::function<bool(const QString& path, QString* error)>;

    explicit InvoiceArchive(QString dataFolder);

    static QString folderName() { return QStringLiteral("Invoice"); }
    // What a printed slip shows, without the time of day of its recording,
    // so that a changed slip can be told from one printed again.
    static QString fingerprintOf(const SlipPrintData& data);

    // True when a version of the slip was issued from other figures: from
    // then on it prints as corrected.
    bool isCorrected(int slipNumber, int year, const QString& fingerprint) const;

    // Claims the next version, has the PDF written into it and notes what it
    // was made from; nullopt with the reason in *error.
    std::optional<ArchivedInvoice> keep(int slipNumber, int year, int customerCode,
                                        const QString& fingerprint, bool corrected,
                                        const PdfWriter& write, QString* error) const;

    // Oldest first.
    std::vector<ArchivedInvoice> ofSlip(int slipNumber) const;
    std::vector<ArchivedInvoice> ofCustomer(int customerCode) const;

private:
    std::vector<ArchivedInvoice> all(const std::function<bool(const ArchivedInvoice&)>& wanted) const;
    std::vector<ArchivedInvoice> versionsIn(int slipNumber, int year) const;
    QString yearFolder(int year) const;

    QString m_dataFolder;
};

} // namespace kv::slips
