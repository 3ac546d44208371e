#include "print/QtPrinterAccess.h"

#include "print/PagePainter.h"
#include "print/PrintRunner.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace kv::print {

PrinterAccess::~PrinterAccess() = default;

QtPrinterAccess::QtPrinterAccess(QWidget* parent)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_parent(parent)
{
}

QtPrinterAccess::~QtPrinterAccess() = default;

std::optional<data::PrinterIdentity> QtPrinterAccess::chooseSetup()
{
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    data::PrinterIdentity identity;
    identity.name = m_printer->printerName();
    return identity;
}

bool QtPrinterAccess::hasPrinter() const
{
    return !m_printer->printerName().isEmpty() && !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool QtPrinterAccess::print(PagePainter& printout)
{
    if (!hasPrinter())
        return false;
    m_printer->setOutputFormat(QPrinter::NativeFormat);
    m_printer->setOutputFileName(QString());
    PrintRunner::preparePrinter(printout, *m_printer);
    return PrintRunner::paint(printout, *m_printer);
}

void QtPrinterAccess::preview(PagePainter& printout)
{
    // Without a printer the preview still shows the pages, on PDF paper.
    QPrinter* printer = m_printer.get();
    std::unique_ptr<QPrinter> paper;
    if (!hasPrinter()) {
        paper = std::make_unique<QPrinter>(QPrinter::HighResolution);
        paper->setOutputFormat(QPrinter::PdfFormat);
        printer = paper.get();
    }
    PrintRunner::preparePrinter(printout, *printer);
    QPrintPreviewDialog dialog(printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&printout](QPrinter* target) {
                         PrintRunner::preparePrinter(printout, *target);
                         PrintRunner::paint(printout, *target);
                     });
    dialog.exec();
}

std::optional<QString> QtPrinterAccess::choosePdfFile(const QString& suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(
        m_parent, QStringLiteral("PDFで保存"), QDir(folder).filePath(suggestedName),
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? path
                                                                     : path + QStringLiteral(".pdf");
}

} // namespace kv::print
