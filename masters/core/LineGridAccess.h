#pragma once

#include <QString>

namespace kv::masters {

// What the item pick list and the category window need of a line grid (the
// slip's or the set's): its current cell, the texts of the current row's
// item, category and unit-price cells, and the grid's own recomputation of
// a row.
class LineGridAccess {
public:
    static constexpr int kItemColumn = 0;
    static constexpr int kCategoryColumn = 1;
    static constexpr int kPriceColumn = 4;
    static constexpr int kRows = 90;

    virtual ~LineGridAccess() = default;
    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;
    // Only the three columns above are written.
    virtual void setCellText(int row, int column, const QString& text) = 0;
    virtual void recomputeRow(int row) = 0;
    // The focus back into the current cell.
    virtual void focusCurrentCell() = 0;
    // After the pick list put an item into the row: the slip grid checks
    // its lines and has the totals recomputed; by default the focus simply
    // returns to the current cell.
    virtual void afterItemPut(int row)
    {
        (void)row;
        focusCurrentCell();
    }
};

struct ItemRecord;
// Writes the category name into the current row's category cell.
void putCategoryIntoGrid(LineGridAccess& grid, const QString& categoryName);
// Puts an item into a row of the grid: text, category name and the unit
// price with commas (empty for 0), then has the row recomputed.
void putItemIntoRow(LineGridAccess& grid, int row, const ItemRecord& item,
                    const QString& categoryName);

} // namespace kv::masters
