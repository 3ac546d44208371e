#include "slips/core/InvoiceArchive.h"

#include "data/engine/DayNumber.h"
#include "slips/core/SlipPrintData.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace kv::slips {

namespace {

constexpr int kMaxVersions = 9999;

QString baseName(int slipNumber, int version)
{
    return QString::asprintf("%06d-%d", slipNumber, version);
}

std::optional<ArchivedInvoice> readNote(const QString& pdfPath)
{
    static const QRegularExpression name(QStringLiteral("^(\\d{6})-(\\d+)\\.pdf$"));
    const QRegularExpressionMatch m = name.match(QFileInfo(pdfPath).fileName());
    if (!m.hasMatch())
        return std::nullopt;
    ArchivedInvoice a;
    a.slipNumber = m.captured(1).toInt();
    a.version = m.captured(2).toInt();
    a.pdfPath = pdfPath;
    QFile note(pdfPath.chopped(4) + QStringLiteral(".txt"));
    // A version whose note is not written yet is still being issued.
    if (!note.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : note.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (key == "customer")
            a.customerCode = value.toInt();
        else if (key == "fingerprint")
            a.fingerprint = QString::fromLatin1(value);
        else if (key == "corrected")
            a.corrected = value == "1";
        else if (key == "issued")
            a.issued = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
    }
    return a;
}

} // namespace

InvoiceArchive::InvoiceArchive(QString dataFolder)
    : m_dataFolder(std::move(dataFolder))
{
}

QString InvoiceArchive::fingerprintOf(const SlipPrintData& d)
{
    const data::SyaheadRow& s = d.slip;
    QByteArray text;
    const auto add = [&text](const QString& value) { text += value.toUtf8() + '\x1f'; };
    add(data::fromDayNumber(s.m_HatuDate).date().toString(Qt::ISODate));
    for (const int value : {s.m_DenNo, s.m_DenKind, s.m_NyuukoKbnCode, s.m_Km, s.m_BuhiMeiTot,
                            s.m_BuhiNebi, s.m_KouMeiTot, s.m_KouNebi, s.m_BuhiKouZei, s.m_Jibai,
                            s.m_JyuZei, s.m_Insi, s.m_Daiko, s.m_DaikoZeiFlag, s.m_Syo5,
                            s.m_Syo5ZeiFlag, s.m_Syo6, s.m_Syo6ZeiFlag, s.m_SyoZei, s.m_Tot, s.m_Azu,
                            s.m_Seikyu, d.billing.m_KokCode, d.vehicle.m_CarCode})
        add(QString::number(value));
    add(s.m_SyoName5);
    add(s.m_SyoName6);
    for (const auto& row : d.rows) {
        for (const QString& cell : row)
            add(cell);
    }
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex());
}

QString InvoiceArchive::yearFolder(int year) const
{
    return m_dataFolder + QLatin1Char('/') + folderName() + QLatin1Char('/') + QString::number(year);
}

std::vector<ArchivedInvoice> InvoiceArchive::versionsIn(int slipNumber, int year) const
{
    std::vector<ArchivedInvoice> found;
    const QDir folder(yearFolder(year));
    for (const QString& name :
         folder.entryList({QString::asprintf("%06d-*.pdf", slipNumber)}, QDir::Files)) {
        if (std::optional<ArchivedInvoice> a = readNote(folder.filePath(name)))
            found.push_back(*a);
    }
    return found;
}

bool InvoiceArchive::isCorrected(int slipNumber, int year, const QString& fingerprint) const
{
    const std::vector<ArchivedInvoice> versions = versionsIn(slipNumber, year);
    return std::any_of(versions.cbegin(), versions.cend(), [&](const ArchivedInvoice& a) {
        return a.corrected || a.fingerprint != fingerprint;
    });
}

std::optional<ArchivedInvoice> InvoiceArchive::keep(int slipNumber, int year, int customerCode,
                                                    const QString& fingerprint, bool corrected,
                                                    const PdfWriter& write, QString* error) const
{
    const QString folder = yearFolder(year);
    if (!QDir().mkpath(folder)) {
        *error = folder;
        return std::nullopt;
    }
    for (int version = 1; version <= kMaxVersions; ++version) {
        const QString base = folder + QLatin1Char('/') + baseName(slipNumber, version);
        QFile claim(base + QStringLiteral(".pdf"));
        // Creating the file exclusively is the claim: a number another
        // computer took first is passed over.
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (claim.exists())
                continue;
            *error = claim.fileName() + QLatin1Char('\n') + claim.errorString();
            return std::nullopt;
        }
        claim.close();
        if (!write(claim.fileName(), error))
            return std::nullopt;
        ArchivedInvoice a;
        a.slipNumber = slipNumber;
        a.version = version;
        a.customerCode = customerCode;
        a.corrected = corrected;
        a.fingerprint = fingerprint;
        a.issued = QDateTime::currentDateTime();
        a.pdfPath = claim.fileName();
        QSaveFile note(base + QStringLiteral(".txt"));
        if (!note.open(QIODevice::WriteOnly)) {
            *error = note.fileName() + QLatin1Char('\n') + note.errorString();
            return std::nullopt;
        }
        note.write("customer=" + QByteArray::number(customerCode) + '\n');
        note.write("fingerprint=" + fingerprint.toLatin1() + '\n');
        note.write(QByteArray("corrected=") + (corrected ? "1" : "0") + '\n');
        note.write("issued=" + a.issued.toString(Qt::ISODate).toLatin1() + '\n');
        if (!note.commit()) {
            *error = note.fileName() + QLatin1Char('\n') + note.errorString();
            return std::nullopt;
        }
        return a;
    }
    *error = folder;
    return std::nullopt;
}

std::vector<ArchivedInvoice>
InvoiceArchive::all(const std::function<bool(const ArchivedInvoice&)>& wanted) const
{
    std::vector<ArchivedInvoice> found;
    const QDir root(m_dataFolder + QLatin1Char('/') + folderName());
    for (const QString& year : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(root.filePath(year));
        for (const QString& name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            std::optional<ArchivedInvoice> a = readNote(folder.filePath(name));
            if (a && wanted(*a))
                found.push_back(*a);
        }
    }
    std::sort(found.begin(), found.end(), [](const ArchivedInvoice& x, const ArchivedInvoice& y) {
        return std::tie(x.issued, x.slipNumber, x.version) < std::tie(y.issued, y.slipNumber, y.version);
    });
    return found;
}

std::vector<ArchivedInvoice> InvoiceArchive::ofSlip(int slipNumber) const
{
    return all([slipNumber](const ArchivedInvoice& a) { return a.slipNumber == slipNumber; });
}

std::vector<ArchivedInvoice> InvoiceArchive::ofCustomer(int customerCode) const
{
    return all([customerCode](const ArchivedInvoice& a) { return a.customerCode == customerCode; });
}

} // namespace kv::slips
