#pragma once

namespace kv::app {

// What the main window remembers between commands: the panel's mode, the
// search to return to, the order applied to the recordsets, the codes held
// for new records and which child windows are open.
struct FrameState {
    enum Mode : int {
        Nothing = 0,
        CustomerCodeOrder = 1,
        CustomerReadingOrder = 2,
        VehicleCodeOrder = 3,
        PlateNumberOrder = 4,
        NewCustomer = 100,
        NewVehicle = 101,
    };

    int mode = Nothing;
    int previousSearchMode = Nothing;
    int searchOrder = CustomerCodeOrder;
    int reservedCustomerCode = 0;
    int reservedVehicleCode = 0;
    bool indexWindowOpen = false;
    bool slipWindowOpen = false;
    bool ledgerWindowOpen = false;
    bool setWindowOpen = false;
    bool queryMode = false;
    bool lanPanePending = true;

    static bool isSearchMode(int value)
    {
        return value >= CustomerCodeOrder && value <= PlateNumberOrder;
    }
};

} // namespace kv::app
