#include "reports/ui/ReportRun.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "print/PagePainter.h"
#include "print/PrintRunner.h"
#include "print/PrinterAccess.h"
#include "reports/core/ReportPages.h"
#include "reports/print/PageSpanPrintout.h"

#include <QApplication>

namespace kv::reports {

ReportRun::ReportRun(Setup setup)
    : m_setup(std::move(setup))
{
}

bool ReportRun::run(const Request& request)
{
    if (!m_setup.document || !m_setup.printers || !request.printout)
        return false;
    if (!m_setup.document->PrepareWorkCopy(request.kind))
        return false;

    bool done = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::unique_ptr<print::PagePainter> whole = request.printout();
        const int pages = whole ? whole->pageCount() : 0;
        QApplication::restoreOverrideCursor();
        if (whole && pages == 0) {
            showMessage(request.emptyMessage);
        } else if (whole) {
            const auto span = ReportPages::offered(pages, request.pageFrom, request.pageTo);
            if (!span) {
                showMessage(kNoSuchPage);
            } else {
                PageSpanPrintout asked(*whole, span->first, span->last);
                done = sendOut(request, asked);
            }
        }
    }
    // The printout's rows read from the copy: it is gone before the copy is.
    m_setup.document->EndWorkCopy(request.kind);
    if (m_setup.reapplyOrder)
        m_setup.reapplyOrder();
    return done;
}

bool ReportRun::sendOut(const Request& request, print::PagePainter& pages)
{
    print::PrinterAccess& printers = *m_setup.printers;
    switch (request.way) {
    case Way::Preview:
        printers.preview(pages);
        return true;
    case Way::Print: {
        if (!printers.hasPrinter()) {
            showMessage(kNoPrinter);
            return false;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool printed = printers.print(pages);
        QApplication::restoreOverrideCursor();
        if (!printed)
            showMessage(kPrinterRefused);
        return printed;
    }
    case Way::Pdf: {
        const std::optional<QString> path = printers.choosePdfFile(request.pdfName);
        if (!path)
            return false;
        QString error;
        if (!print::PrintRunner::writePdf(pages, *path, &error)) {
            showMessage(error);
            return false;
        }
        return true;
    }
    }
    return false;
}

} // namespace kv::reports
