#pragma once

#include <QString>

namespace kv::records {

// The modes of the main frame as the panel sees them.
namespace PanelMode {
enum : int {
    Nothing = 0,
    CustomerCodeOrder = 1,
    ReadingOrder = 2,
    VehicleCodeOrder = 3,
    PlateOrder = 4,
    NewCustomer = 100,
    NewVehicle = 101,
};

// The search-mode text of a mode: empty for 0 and unknown modes.
QString text(int mode);
// False for the new-record modes, which leave the text as it was.
bool changesText(int mode);
bool isSearchMode(int mode);
} // namespace PanelMode

} // namespace kv::records
