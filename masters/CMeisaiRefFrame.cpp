#include "masters/CMeisaiRefFrame.h"

#include "common/MessageGateway.h"
#include "masters/core/ItemRules.h"
#include "masters/core/ItemStore.h"
#include "masters/core/LineGridAccess.h"

namespace kv::masters {

CFMeisai::CFMeisai(QWidget* parent)
    : CodePickForm(new ItemListView(QStringLiteral("                      作業・部品（↑↓）")),
                   parent)
{
    list()->setObjectName(QStringLiteral("itemList"));
}

CMeisaiRefFrame* CMeisaiRefFrame::open(ItemStore& store, const kv::data::CategoryNames& categories,
                                       LineGridAccess& grid, GridContext context,
                                       QWidget* gridWindow)
{
    const auto items = store.readAll();
    if (!items)
        return nullptr;
    ItemRowList rows;
    rows.assign(*items);
    if (rows.isEmpty()) {
        kv::showMessage(QStringLiteral("明細が存在しません！"));
        return nullptr;
    }
    auto* frame = new CMeisaiRefFrame(store, categories, grid, context, gridWindow);
    frame->start(std::move(rows));
    return frame;
}

CMeisaiRefFrame::CMeisaiRefFrame(ItemStore& store, const kv::data::CategoryNames& categories,
                                 LineGridAccess& grid, GridContext context, QWidget* gridWindow)
    : CodePickFrame(new CFMeisai,
                    {QStringLiteral("MeisaiSortKind"), ItemProfile::pickListSection(context),
                     ItemRules::kindTitle(), gridWindow, true}),
      m_store(store), m_categories(categories), m_grid(grid)
{
}

void CMeisaiRefFrame::accept()
{
    // The marked items go into the rows from the current one on, one row
    // each, as far as the grid reaches; an item gone meanwhile takes none.
    const int row = m_grid.currentRow();
    int target = row;
    for (const int code : chosenCodes()) {
        if (target >= LineGridAccess::kRows)
            break;
        const auto item = m_store.find(code);
        if (!item || item->isPlaceholder())
            continue;
        putItemIntoRow(m_grid, target++, *item,
                       ItemRules::categoryName(item->category, m_categories));
    }
    if (target == row)
        return;
    LineGridAccess& grid = m_grid;
    close();
    grid.afterItemPut(row);
}

void CMeisaiRefFrame::cancel()
{
    LineGridAccess& grid = m_grid;
    close();
    grid.focusCurrentCell();
}

} // namespace kv::masters
