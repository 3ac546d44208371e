#pragma once

#include "reports/core/SalesByCategory.h"
#include "reports/core/SalesFigures.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QString>

#include <vector>

class QPainter;

namespace kv::reports {

// What one sales analysis graph shows: its figures, computed once when the
// graph is shown, and the selection they came from.
struct SalesGraph {
    int type = 0;             // 0 pie, 1 bars by category, 2 bars of one category by month
    SalesFigures figures;
    bool totals = true;       // graph the totals with expenses and tax
    int scaleIndex = 0;       // the bars' axis top
    std::vector<SalesCategory> categories; // by slot
    int categorySlot = 0;     // graph type 2: the chosen category's place (its colour)
    QString categoryName;     // graph type 2
    QDate firstMonth;         // the period's first and last month
    QDate lastMonth;
};

// Draws a graph in the units of its description (pixels on the screen,
// logical units on paper), from the graph's own origin: the window and the
// printed page both draw through it.
class SalesGraphPainter {
public:
    static constexpr int kLineHeight = 12;
    static constexpr int kColumnWidth = 12; // the graph font's width doubled, plus 2

    static QColor slotColour(int slot);
    // The graph font (height 12, width 5) and the printed heading's (16,
    // bold, underlined).
    static QFont graphFont();
    static QFont headingFont();

    static void paint(QPainter& painter, const SalesGraph& graph);
    // The same on a window: the bar charts stand moved to (30, 10).
    static void paintOnScreen(QPainter& painter, const SalesGraph& graph);

    // "【売上合計  1,234円】"
    static QString pieHeading(qint64 total);
    // The month names of the bars by month, from the first month on.
    static QString monthName(int month);

private:
    static void paintPie(QPainter& painter, const SalesGraph& graph);
    static void paintBars(QPainter& painter, const SalesGraph& graph);
};

} // namespace kv::reports
