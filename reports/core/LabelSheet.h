#pragma once

#include "reports/core/ReportRefusal.h"

#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace kv::data {
class DataStore;
struct SealRow;
} // namespace kv::data

namespace kv::reports {

// One layout of label sheet (a row of the table Seal), in tenths of a
// millimetre: rows and columns of labels, a label's height and width, the
// top and left margins and the gaps between rows and between columns.
struct LabelSheet {
    int rows = 0;
    int columns = 0;
    int height = 0;
    int width = 0;
    int top = 0;
    int left = 0;
    int vertical = 0;
    int horizontal = 0;

    static LabelSheet fromRow(const data::SealRow& row);
    // The layout of a maker's product number in the table Seal; none when
    // the table has no such sheet.
    static std::optional<LabelSheet> lookUp(data::DataStore& store, const QString& maker,
                                            const QString& productNumber);
    int perSheet() const { return rows * columns; }
    // The label in row and column (both from 0), from the sheet's corner.
    QRect label(int row, int column) const;
};

// The labels of a selection on sheets: the first sheet from the start row
// and column (1-based), every later one from its first label, filled row by
// row.
class LabelPlan {
public:
    struct Label {
        int record = 0; // 0-based index in the selection
        int row = 0;    // 0-based
        int column = 0;
        QRect box;
    };

    // A layout without rows or columns is refused before anything is
    // counted (a damaged or hand-made Seal row); so are start positions
    // beyond the sheet.
    static std::optional<ReportRefusal> check(const LabelSheet& sheet, int startRow, int startColumn);

    // Only for a layout and start that check() accepts.
    LabelPlan(const LabelSheet& sheet, int startRow, int startColumn, int recordCount);

    int pageCount() const;
    // The labels of page 1..pageCount().
    std::vector<Label> labels(int page) const;

    const LabelSheet& sheet() const { return m_sheet; }

private:
    LabelSheet m_sheet;
    int m_skipped = 0; // positions left empty on the first sheet
    int m_recordCount = 0;
};

} // namespace kv::reports
