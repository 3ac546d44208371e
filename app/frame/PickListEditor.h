#pragma once

namespace kv::app {

// The maintenance dialogs of the pick lists that are edited under a lock
// (customer names, addresses, models), shown modally.
class PickListEditor {
public:
    virtual ~PickListEditor();
    virtual void edit(int command) = 0;
};

} // namespace kv::app
