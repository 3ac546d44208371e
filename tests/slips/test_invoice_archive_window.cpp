// The window of issued invoices: a customer's or a slip's versions, the
// chosen one opened through the viewer.
#include "slips/ui/CInvoiceArchiveDlg.h"

#include "controls/CListCtrlEx.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using kv::slips::CInvoiceArchiveDlg;
using kv::slips::InvoiceArchive;

namespace {

class OpenedFiles final : public kv::slips::InvoiceViewer {
public:
    bool open(const QString& path) override
    {
        opened << path;
        return QFile::exists(path);
    }
    QStringList opened;
};

bool writeStub(const QString& path, QString*)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF") == 4;
}

} // namespace

TEST(InvoiceArchiveWindow, ListsTheVersionsOfACustomerOrASlipAndOpensTheChosenOne)
{
    kv::test::RecordingMessageGateway messages;
    kv::test::TempFolder data;
    const InvoiceArchive archive(data.path());
    QString error;
    ASSERT_TRUE(archive.keep(123, 2024, 42, QStringLiteral("A"), false, writeStub, &error));
    ASSERT_TRUE(archive.keep(123, 2024, 42, QStringLiteral("B"), true, writeStub, &error));
    ASSERT_TRUE(archive.keep(200, 2024, 42, QStringLiteral("C"), false, writeStub, &error));
    ASSERT_TRUE(archive.keep(300, 2024, 7, QStringLiteral("D"), false, writeStub, &error));

    OpenedFiles viewer;
    CInvoiceArchiveDlg customer(archive, CInvoiceArchiveDlg::Of::Customer, 42, viewer);
    EXPECT_EQ(customer.rowCount(), 3);
    CInvoiceArchiveDlg slip(archive, CInvoiceArchiveDlg::Of::Slip, 123, viewer);
    ASSERT_EQ(slip.rowCount(), 2);
    // The newest is chosen.
    QTest::mouseClick(slip.openButton(), Qt::LeftButton);
    ASSERT_EQ(viewer.opened.size(), 1);
    EXPECT_TRUE(viewer.opened.front().endsWith(QStringLiteral("/Invoice/2024/000123-2.pdf")));
    slip.list()->selectRow(0);
    QTest::mouseClick(slip.openButton(), Qt::LeftButton);
    ASSERT_EQ(viewer.opened.size(), 2);
    EXPECT_TRUE(viewer.opened.back().endsWith(QStringLiteral("/Invoice/2024/000123-1.pdf")));

    QFile::remove(viewer.opened.back());
    QTest::mouseClick(slip.openButton(), Qt::LeftButton);
    EXPECT_EQ(messages.messages().size(), 1);
}
