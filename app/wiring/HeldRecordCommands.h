#pragma once

#include "app/frame/CommandId.h"

namespace kv::app {

// The record commands that act on the shown record: an index, slip or
// ledger window holds them off while it is open, and the panel gives them
// their states again when it shows the record after the window closed.
inline constexpr int kHeldRecordCommands[] = {
    CommandId::CreateSlip,  CommandId::Ledger,     CommandId::CarriedForwardBalance,
    CommandId::NewCustomer, CommandId::NewVehicle, CommandId::RecordCustomerVehicle,
    CommandId::Delete,
};

} // namespace kv::app
