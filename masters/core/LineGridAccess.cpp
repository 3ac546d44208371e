#include "masters/core/LineGridAccess.h"

#include "masters/core/ItemRow.h"
#include "masters/core/ItemRules.h"

namespace kv::masters {

void putItemIntoRow(LineGridAccess& grid, int row, const ItemRecord& item,
                    const QString& categoryName)
{
    grid.setCellText(row, LineGridAccess::kItemColumn, item.text);
    grid.setCellText(row, LineGridAccess::kCategoryColumn, categoryName);
    grid.setCellText(row, LineGridAccess::kPriceColumn,
                     item.price == 0 ? QString() : ItemRules::formatPrice(item.price));
    grid.recomputeRow(row);
}

} // namespace kv::masters

namespace kv::masters {

void putCategoryIntoGrid(LineGridAccess& grid, const QString& categoryName)
{
    grid.setCellText(grid.currentRow(), LineGridAccess::kCategoryColumn, categoryName);
}

} // namespace kv::masters
