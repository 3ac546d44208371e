#include "reports/ui/CGraphFrame.h"

#include "common/MessageGateway.h"
#include "print/PrintRunner.h"
#include "print/PrinterAccess.h"
#include "reports/print/SalesGraphPrintout.h"
#include "reports/ui/CGraphView.h"
#include "reports/ui/ReportRun.h"

#include <QAction>
#include <QToolBar>

namespace kv::reports {

CGraphFrame::CGraphFrame(std::optional<SalesGraph> graph, const QString& caption, print::PrinterAccess* printers,
                         QWidget* owner)
    : QMainWindow(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                             | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_printers(printers)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    const int type = graph ? graph->type : 0;
    const bool printable = graph.has_value() && printers;
    m_view = new CGraphView(std::move(graph), this);
    setCentralWidget(m_view);

    QToolBar* tools = addToolBar(QStringLiteral("印刷"));
    tools->setMovable(false);
    tools->setIconSize(QSize(35, 28));
    m_print = tools->addAction(QStringLiteral("印刷"), this, [this] { send(Way::Print); });
    m_print->setShortcut(Qt::Key_F1);
    m_print->setShortcutContext(Qt::WindowShortcut);
    m_preview = tools->addAction(QStringLiteral("プレビュー"), this, [this] { send(Way::Preview); });
    m_pdf = tools->addAction(QStringLiteral("PDFで保存"), this, [this] { send(Way::Pdf); });
    for (QAction* action : {m_print, m_preview, m_pdf})
        action->setEnabled(printable);
    resize(sizeFor(type));
}

QSize CGraphFrame::sizeFor(int type)
{
    switch (type) {
    case 0:
        return {420, 370};
    case 1:
        return {440, 430};
    default:
        return {350, 390};
    }
}

void CGraphFrame::send(Way way)
{
    const auto& graph = m_view->graph();
    if (!graph || !m_printers)
        return;
    SalesGraphPrintout page(*graph);
    switch (way) {
    case Way::Print:
        if (!m_printers->hasPrinter())
            showMessage(ReportRun::kNoPrinter);
        else if (!m_printers->print(page))
            showMessage(ReportRun::kPrinterRefused);
        return;
    case Way::Preview:
        m_printers->preview(page);
        return;
    case Way::Pdf: {
        const auto path = m_printers->choosePdfFile(SalesGraphPrintout::title(graph->type) + QStringLiteral(".pdf"));
        QString error;
        if (path && !print::PrintRunner::writePdf(page, *path, &error))
            showMessage(error);
        return;
    }
    }
}

} // namespace kv::reports
