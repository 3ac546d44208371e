#pragma once
// What the list dialog tests share: a printer that only writes PDF files,
// a file chooser that answers with a path, the keys that take a choice,
// the CSV read back as a spreadsheet reads it, and a document to list from.

#include "controls/FileChooser.h"
#include "data/document/DocumentTestFolder.h"
#include "print/PrinterAccess.h"
#include "reports/ui/ReportDialog.h"
#include "reports/ui/ReportRangeGroups.h"
#include "support/CustomerBuilder.h"
#include "support/LedgerBuilder.h"
#include "support/FieldTyping.h"
#include "support/PdfWords.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

namespace kv::test {

// PDF files go where the test says; nothing else is asked of the printer.
class PdfOnly final : public kv::print::PrinterAccess {
public:
    std::optional<kv::data::PrinterIdentity> chooseSetup() override { return std::nullopt; }
    bool hasPrinter() const override { return true; }
    bool print(kv::print::PagePainter&) override { return false; }
    void preview(kv::print::PagePainter&) override {}
    std::optional<QString> choosePdfFile(const QString& suggested) override
    {
        suggestedName = suggested;
        return pdfPath;
    }
    QString pdfPath;
    QString suggestedName;
};

class SaveTo final : public kv::FileChooser {
public:
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString& suggestion, const QString&) override
    {
        suggested = suggestion;
        return path;
    }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
    QString path;
    QString suggested;
};

// A check box or choice taken with the space bar, as from the keyboard.
inline void press(QAbstractButton* button)
{
    button->setFocus();
    QApplication::processEvents();
    QTest::keyClick(button, Qt::Key_Space);
}

// The CSV file as Python's csv module reads it in CP932, one list of
// fields a line.
inline std::vector<QStringList> readCsv(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, sys\n"
                                 "rows = csv.reader(open(sys.argv[1], encoding='cp932', newline=''))\n"
                                 "sys.stdout.buffer.write('\\n'.join('\\t'.join(r) for r in rows).encode('utf-8'))\n"),
                  path});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n'))
        rows.push_back(line.split(u'\t'));
    return rows;
}

class ListDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        setup.run.document = doc.get();
        setup.run.printers = &printers;
        setup.run.reapplyOrder = [] {};
        kv::installFileChooser(&chooser);
        printers.pdfPath = folder.folder.path() + "/list.pdf";
        chooser.path = folder.folder.path() + "/list.csv";
    }
    void TearDown() override { kv::installFileChooser(nullptr); }

    void customer(int code, const QString& name, const QString& reading, int closingDay, int carried)
    {
        CustomerBuilder(code).name(name).reading(reading).set(&CDaoKokSet::m_Shime1, closingDay).insertInto(doc->store());
        BalanceBuilder(code, carried).insertInto(doc->store());
    }
    template <class Dialog>
    void show(Dialog* dialog)
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    PdfOnly printers;
    SaveTo chooser;
    kv::reports::ReportDialog::Setup setup;
};

} // namespace kv::test
