#pragma once

#include "print/PagePainter.h"
#include "reports/print/SalesGraphPainter.h"

namespace kv::reports {

// The printed sales analysis graph: one landscape page in colour, a
// logical square of 570 units fitted to the page, the title in the heading
// font with the period beside it, the graph below.
class SalesGraphPrintout : public print::PagePainter {
public:
    static constexpr int kSquare = 570;

    explicit SalesGraphPrintout(SalesGraph graph) : m_graph(std::move(graph)) {}

    print::PageLayout layout() const override;
    int pageCount() const override { return 1; }
    void paintPage(int page, QPainter& painter) override;

    // The print job's title by graph type.
    static QString title(int type);
    // The graph window's caption.
    static QString caption(const SalesGraph& graph);
    // What the page prints beside its title.
    static QString periodLine(const SalesGraph& graph);

private:
    SalesGraph m_graph;
};

} // namespace kv::reports
