#include "reports/ui/CGraphView.h"

#include <QPainter>

namespace kv::reports {

CGraphView::CGraphView(std::optional<SalesGraph> graph, QWidget* parent)
    : QWidget(parent)
    , m_graph(std::move(graph))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_graph)
        SalesGraphPainter::paintOnScreen(painter, *m_graph);
}

} // namespace kv::reports
