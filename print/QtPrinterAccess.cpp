#include "print/QtPrinterAccess.h"

#include "common/StartFolder.h"
#include "print/PagePainter.h"
#include "print/PrintRunner.h"
#include "print/platform/CupsQueue.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

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
    // The toolkit hands a job over without telling whether the queue took
    // it; sent as a PDF of our own, the server's answer is known. The PDF
    // is also exactly what the preview and "PDFで保存" show.
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
    if (!folder.isValid() || !PrintRunner::writePdf(printout, pdf))
        return false;
    CupsQueue::Options options;
    options.copies = m_printer->copyCount();
    options.collate = m_printer->collateCopies();
    options.colour = printout.layout().colour;
    if (m_printer->duplex() == QPrinter::DuplexLongSide)
        options.sides = QStringLiteral("two-sided-long-edge");
    else if (m_printer->duplex() == QPrinter::DuplexShortSide)
        options.sides = QStringLiteral("two-sided-short-edge");
    const CupsQueue queue(m_printer->printerName());
    const CupsQueue::Submission job = queue.submitPdf(pdf, printout.layout().jobName, options);
    return job.jobId != 0 && !queue.gaveUp(job.jobId);
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
    const QString path = QFileDialog::getSaveFileName(
        m_parent, QStringLiteral("PDFで保存"), existingStartPath(suggestedName),
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? path
                                                                     : path + QStringLiteral(".pdf");
}

} // namespace kv::print
