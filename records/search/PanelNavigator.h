#pragma once

namespace kv::records::search {

// What the searches need of the panel and its frame: showing a record (each
// call shows its own message when the record is missing), the mode text and
// the displayed customer. The panel implements it.
class PanelNavigator {
public:
    // The frame's search modes the searches set; the panel's modes
    // (records/PanelMode.h, above the searches) use the same numbers.
    enum SearchMode : int {
        CustomerCodeOrder = 1,
        ReadingOrder = 2,
        VehicleCodeOrder = 3,
        PlateOrder = 4,
    };

    virtual ~PanelNavigator() = default;

    virtual bool showCustomer(int code, bool setMode) = 0;
    virtual bool showVehicle(int code, bool setMode) = 0;
    virtual void setModeText(int mode) = 0;
    // The frame's mode becomes this search mode, with its order applied.
    virtual void setSearchMode(int mode) = 0;
    // Drops this computer's new-customer and new-vehicle reservations
    // (placeholders deleted), as after a successful search.
    virtual void releaseReservations() = 0;
    // An index window opens or closes: the record commands go off or come
    // back, and the reading index disables the main window meanwhile.
    virtual void indexWindowOpened(bool disablesMainWindow) = 0;
    virtual void indexWindowClosed(bool disabledMainWindow) = 0;
    // The customer on the panel, 0 when none.
    virtual int shownCustomerCode() const = 0;
};

} // namespace kv::records::search
