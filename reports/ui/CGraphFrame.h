#pragma once

#include "reports/print/SalesGraphPainter.h"

#include <QMainWindow>

#include <optional>

class QAction;

namespace kv::print {
class PrinterAccess;
}

namespace kv::reports {

class CGraphView;

// A window of one sales analysis graph, owned by the dialog that showed
// it: its size and caption by graph type, and a toolbar to print the graph
// (F1), see it in the preview or save it as a PDF, one landscape page.
class CGraphFrame final : public QMainWindow {
    Q_OBJECT
public:
    // graph: none when its figures could not be computed (the window then
    // stays empty and prints nothing). caption: the window's caption.
    CGraphFrame(std::optional<SalesGraph> graph, const QString& caption, print::PrinterAccess* printers,
                QWidget* owner);

    CGraphView* view() const { return m_view; }
    QAction* printAction() const { return m_print; }
    QAction* previewAction() const { return m_preview; }
    QAction* pdfAction() const { return m_pdf; }

    // The window's size for a graph type.
    static QSize sizeFor(int type);

private:
    enum class Way { Print, Preview, Pdf };
    void send(Way way);

    CGraphView* m_view;
    print::PrinterAccess* m_printers;
    QAction* m_print;
    QAction* m_preview;
    QAction* m_pdf;
};

} // namespace kv::reports
