#pragma once

namespace kv::data {

// Whoever keeps codes reserved for a new customer or vehicle (the main
// frame): their placeholders are dropped just before the recordsets close.
class ReservedRecords {
public:
    virtual ~ReservedRecords() = default;
    virtual void DiscardReservedCustomer() = 0;
    virtual void DiscardReservedVehicle() = 0;
};

} // namespace kv::data
