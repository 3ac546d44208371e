#pragma once

#include "data/settings/CategoryNames.h"
#include "masters/CodePickFrame.h"
#include "masters/core/ItemProfile.h"

namespace kv::masters {

class ItemStore;
class LineGridAccess;

// The form of the item pick list: the kana buttons, the item list, OK and
// cancel.
class CFMeisai : public CodePickForm {
    Q_OBJECT
public:
    explicit CFMeisai(QWidget* parent = nullptr);
};

// The item pick list of a line grid: a captioned popup over the grid's
// window, which stays disabled while the list is open. OK puts the focused
// item into the grid's current row.
class CMeisaiRefFrame : public CodePickFrame {
    Q_OBJECT
public:
    // Opens the list for the grid; nullptr when the item table has no items
    // ("明細が存在しません！") or cannot be read. gridWindow is the slip or set
    // window: disabled while the list is open, enabled again after.
    static CMeisaiRefFrame* open(ItemStore& store, const kv::data::CategoryNames& categories,
                                 LineGridAccess& grid, GridContext context, QWidget* gridWindow);

    CFMeisai* form() const { return static_cast<CFMeisai*>(pickForm()); }

    void accept() override;
    void cancel() override;

private:
    CMeisaiRefFrame(ItemStore& store, const kv::data::CategoryNames& categories,
                    LineGridAccess& grid, GridContext context, QWidget* gridWindow);

    ItemStore& m_store;
    const kv::data::CategoryNames& m_categories;
    LineGridAccess& m_grid;
};

} // namespace kv::masters
