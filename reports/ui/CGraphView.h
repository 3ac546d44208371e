#pragma once

#include "reports/print/SalesGraphPainter.h"

#include <QWidget>

#include <optional>

namespace kv::reports {

// The graph of a graph window. Its figures were computed once when the
// graph was shown; a paint only draws them. Without figures (they could
// not be computed) the view stays empty.
class CGraphView final : public QWidget {
    Q_OBJECT
public:
    CGraphView(std::optional<SalesGraph> graph, QWidget* parent = nullptr);

    const std::optional<SalesGraph>& graph() const { return m_graph; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SalesGraph> m_graph;
};

} // namespace kv::reports
