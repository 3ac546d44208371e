#pragma once

namespace kv::records {

// What the panel needs of the main frame: the current mode and the
// command buttons it sets after showing a record.
class PanelHost {
public:
    virtual ~PanelHost() = default;

    virtual int mode() const = 0;
    virtual void SetCommandButtons(bool f3, bool f4, bool f5, bool previous, bool next, bool slip,
                                   bool newCustomer, bool newVehicle, bool ledgerGroup,
                                   bool record) = 0;
};

} // namespace kv::records
