#pragma once

#include "records/PanelField.h"

namespace kv::records {

// The pick lists the panel opens from its caption buttons and keys.
enum class PickList { None, CustomerNames, Addresses, TransportOffices, VehicleNames };

// The pick list that belongs to a field (Ctrl+Space), None for the others.
inline PickList pickListOfField(PanelField field)
{
    switch (field) {
    case PanelField::OwnerName1:
    case PanelField::OwnerName2:
    case PanelField::UserName1:
    case PanelField::UserName2: return PickList::CustomerNames;
    case PanelField::OwnerJyu1:
    case PanelField::OwnerJyu2:
    case PanelField::UserJyu1:
    case PanelField::UserJyu2: return PickList::Addresses;
    case PanelField::Rikuji: return PickList::TransportOffices;
    case PanelField::Syamei:
    case PanelField::Syasyu: return PickList::VehicleNames;
    default: break;
    }
    return PickList::None;
}

} // namespace kv::records
