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
                     ItemRules::kindTitle(), gridWindow}),
      m_store(store), m_categories(categories), m_grid(grid)
{
}

void CMeisaiRefFrame::accept()
{
    const int code = focusedCode();
    const auto item = code > 0 ? m_store.find(code) : std::nullopt;
    if (!item)
        return;
    putItemIntoGrid(m_grid, *item, ItemRules::categoryName(item->category, m_categories));
    const int row = m_grid.currentRow();
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
