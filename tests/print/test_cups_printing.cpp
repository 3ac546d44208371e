// A job the print server refuses is known as refused; one it takes carries
// the printout's pages. Against a CUPS server of the test's own.

#include "print/PagePainter.h"
#include "print/PrintFont.h"
#include "print/QtPrinterAccess.h"
#include "support/CupsServer.h"
#include "support/PdfWords.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPrinter>

using kv::print::PageLayout;
using kv::print::PagePainter;
using kv::print::QtPrinterAccess;

namespace {

class Estimate final : public PagePainter {
public:
    PageLayout layout() const override
    {
        PageLayout l;
        l.jobName = QStringLiteral("見積書 000123");
        return l;
    }
    int pageCount() const override { return 2; }
    void paintPage(int page, QPainter& painter) override
    {
        kv::print::PrintFont font;
        font.height = 60;
        painter.setFont(font.toQFont());
        painter.drawText(QRectF(300, 300, 1000, 100), Qt::AlignLeft, QStringLiteral("Page%1").arg(page));
    }
};

} // namespace

TEST(CupsPrinting, AnAcceptedJobCarriesThePagesAndARefusedOneIsReported)
{
    kv::test::CupsServer server;
    ASSERT_TRUE(server.problem().isEmpty()) << server.problem().toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("shop")));

    QtPrinterAccess printers;
    printers.printer().setPrinterName(QStringLiteral("shop"));
    ASSERT_TRUE(printers.hasPrinter());
    Estimate estimate;
    ASSERT_TRUE(printers.print(estimate));
    ASSERT_EQ(server.jobs().size(), 1) << server.jobs().join('\n').toStdString();
    const QStringList documents = server.spooledDocuments();
    ASSERT_EQ(documents.size(), 1);
    const kv::test::PdfWords sent = kv::test::PdfWords::read(documents.front());
    ASSERT_TRUE(sent.ok) << sent.error.toStdString();
    EXPECT_EQ(sent.pages.size(), 2u);
    EXPECT_EQ(sent.find(2, QStringLiteral("Page2")).size(), 1u);

    // The queue now rejects jobs: print says so, and nothing is queued.
    ASSERT_TRUE(server.setAccepting(QStringLiteral("shop"), false));
    EXPECT_FALSE(printers.print(estimate));
    EXPECT_EQ(server.jobs().size(), 1);
    ASSERT_TRUE(server.setAccepting(QStringLiteral("shop"), true));
    EXPECT_TRUE(printers.print(estimate));
    EXPECT_EQ(server.jobs().size(), 2);

    // A queue taken away since it was chosen refuses too.
    ASSERT_TRUE(server.removeQueue(QStringLiteral("shop")));
    EXPECT_FALSE(printers.print(estimate));
}
