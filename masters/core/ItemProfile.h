#pragma once

#include "masters/core/ItemRow.h"

#include <QPoint>
#include <QSettings>
#include <QString>

#include <memory>

namespace kv::masters {

// Where the item windows open their category window and pick list from.
enum class GridContext { Slip, Set };

// The item windows' values in the user profile.
class ItemProfile {
public:
    // The user's profile (QSettings of "Kelvane").
    ItemProfile();

    // "SetMeisaiSortKind"/"CodeFuri", default reading order.
    ItemOrder dialogOrder() const;
    void setDialogOrder(ItemOrder order);
    // "MeisaiSortKind"/"CodeFuri", default code order.
    ItemOrder pickListOrder() const;
    void setPickListOrder(ItemOrder order);

    // "CodeFuri" of any list's section.
    ItemOrder listOrder(const QString& section, ItemOrder fallback) const;
    void setListOrder(const QString& section, ItemOrder order);

    // "SW" of "MeisaiKubunRef" (the item dialog's category window),
    // "DenKubunRef" or "SetKubunRef" (a grid's).
    static QString dialogCategorySection() { return QStringLiteral("MeisaiKubunRef"); }
    static QString gridCategorySection(GridContext context);
    static QString pickListSection(GridContext context);
    bool isShown(const QString& section) const;
    void setShown(const QString& section, bool shown);

    // "x", "y" of a section; fallback when absent.
    QPoint position(const QString& section, QPoint fallback) const;
    void setPosition(const QString& section, QPoint position);

private:
    std::unique_ptr<QSettings> m_profile;
};

} // namespace kv::masters
