// The archive of issued invoices: every version kept under its own number,
// also when two computers issue the same slip at once, and a changed slip
// told from one printed again.
#include "slips/core/InvoiceArchive.h"
#include "slips/core/SlipPrintData.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>

using kv::slips::ArchivedInvoice;
using kv::slips::InvoiceArchive;

namespace {

InvoiceArchive::PdfWriter writing(const QByteArray& content)
{
    return [content](const QString& path, QString* error) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            *error = file.errorString();
            return false;
        }
        file.write(content);
        return true;
    };
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(InvoiceArchive, EveryVersionIsKeptAndAChangedSlipPrintsAsCorrected)
{
    kv::test::TempFolder data;
    const InvoiceArchive archive(data.path());
    QString error;
    const auto first = archive.keep(123, 2024, 42, QStringLiteral("A"), false, writing("one"), &error);
    ASSERT_TRUE(first) << error.toStdString();
    EXPECT_EQ(first->pdfPath, data.path() + QStringLiteral("/Invoice/2024/000123-1.pdf"));
    EXPECT_FALSE(archive.isCorrected(123, 2024, QStringLiteral("A"))) << "printed again unchanged";
    EXPECT_TRUE(archive.isCorrected(123, 2024, QStringLiteral("B")));
    EXPECT_FALSE(archive.isCorrected(124, 2024, QStringLiteral("B")));

    // A number another computer has claimed but not finished is passed over.
    QFile claimed(data.path() + QStringLiteral("/Invoice/2024/000123-2.pdf"));
    ASSERT_TRUE(claimed.open(QIODevice::WriteOnly));
    claimed.close();
    const auto second = archive.keep(123, 2024, 42, QStringLiteral("B"), true, writing("two"), &error);
    ASSERT_TRUE(second) << error.toStdString();
    EXPECT_EQ(second->version, 3);
    EXPECT_EQ(contentOf(first->pdfPath), QByteArray("one"));
    EXPECT_EQ(contentOf(second->pdfPath), QByteArray("two"));
    // Corrected once, corrected from then on, even printed unchanged again.
    EXPECT_TRUE(archive.isCorrected(123, 2024, QStringLiteral("B")));

    ASSERT_TRUE(archive.keep(77, 2025, 9, QStringLiteral("C"), false, writing("x"), &error));
    const std::vector<ArchivedInvoice> ofSlip = archive.ofSlip(123);
    ASSERT_EQ(ofSlip.size(), 2u);
    EXPECT_EQ(ofSlip[0].version, 1);
    EXPECT_FALSE(ofSlip[0].corrected);
    EXPECT_EQ(ofSlip[1].version, 3);
    EXPECT_TRUE(ofSlip[1].corrected);
    EXPECT_EQ(archive.ofCustomer(42).size(), 2u);
    ASSERT_EQ(archive.ofCustomer(9).size(), 1u);
    EXPECT_EQ(archive.ofCustomer(9).front().slipNumber, 77);
}

TEST(InvoiceArchive, TheFingerprintFollowsWhatIsPrintedNotTheTimeOfRecording)
{
    kv::slips::SlipPrintData slip;
    slip.slip.m_DenNo = 123;
    slip.slip.m_HatuDate = 46000.25;
    slip.rows.push_back({QStringLiteral("ｵｲﾙ交換"), {}, {}, {}, {}, QStringLiteral("1,000"), {}});
    const QString printed = InvoiceArchive::fingerprintOf(slip);
    slip.slip.m_HatuDate = 46000.75;
    EXPECT_EQ(InvoiceArchive::fingerprintOf(slip), printed);
    slip.rows[0][5] = QStringLiteral("1,100");
    EXPECT_NE(InvoiceArchive::fingerprintOf(slip), printed);
    slip.rows[0][5] = QStringLiteral("1,000");
    slip.slip.m_SyoZei = 1;
    EXPECT_NE(InvoiceArchive::fingerprintOf(slip), printed);
}

TEST(InvoiceArchive, TwoComputersIssuingTheSameSlipKeepDistinctVersions)
{
    kv::test::TempFolder data;
    const QString start = data.path() + QStringLiteral("/go");
    constexpr int kEach = 25;
    std::vector<std::unique_ptr<QProcess>> peers;
    for (int i = 0; i < 2; ++i) {
        auto peer = std::make_unique<QProcess>();
        peer->start(kv::test::peerProgram(),
                    {QStringLiteral("invoices"), data.path(), QStringLiteral("123"),
                     QString::number(kEach), start});
        ASSERT_TRUE(peer->waitForStarted(10000));
        peers.push_back(std::move(peer));
    }
    QFile go(start);
    ASSERT_TRUE(go.open(QIODevice::WriteOnly));
    go.close();
    for (const auto& peer : peers) {
        if (!peer->waitForFinished(60000))
            peer->kill();
        EXPECT_EQ(peer->exitCode(), 0) << peer->readAllStandardError().toStdString();
    }
    const std::vector<ArchivedInvoice> kept = InvoiceArchive(data.path()).ofSlip(123);
    QSet<int> versions;
    for (const ArchivedInvoice& a : kept)
        versions.insert(a.version);
    EXPECT_EQ(kept.size(), size_t(2 * kEach));
    EXPECT_EQ(versions.size(), 2 * kEach);
    EXPECT_EQ(QDir(data.path() + QStringLiteral("/Invoice/2024")).entryList({"*.pdf"}).size(), 2 * kEach);
}
