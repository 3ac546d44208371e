#pragma once

#include "masters/core/ItemRow.h"

#include <optional>
#include <vector>

namespace kv::masters {

// What the item windows need of the record service: the item table of
// "011.mdb", its edit lock and its record counter. Failures have shown
// their message when a call returns.
class ItemStore {
public:
    virtual ~ItemStore();

    // Every row of the table, placeholders included; nullopt after a
    // database error.
    virtual std::optional<std::vector<ItemRecord>> readAll() = 0;
    // The item with the code (FindItem); nullopt when there is none.
    virtual std::optional<ItemRecord> find(int code) = 0;
    // Rows in the table (CountItems); -1 after a database error.
    virtual int count() = 0;
    // A new placeholder with the lowest free code (ReserveItemCode); 0 when
    // no code is free or the disk is full.
    virtual int reserveCode() = 0;
    // Free space for one more record (CheckDiskSpaceForWrite).
    virtual bool checkDiskSpaceForWrite() = 0;
    // Adds the item, or rewrites it when the code exists.
    virtual bool write(const ItemRecord& item) = 0;
    // Deletes the item with the code; true also when there was none.
    virtual bool remove(int code) = 0;

    // The edit lock of "011.mdb" for this computer: claiming a code gives
    // up the one held before; false when another computer holds it.
    virtual bool claimLock(int code) = 0;
    virtual void releaseLock() = 0;
    // The item counter "101.dat": Read 0, Increment 1, Decrement -1; the
    // count after the action, -1 when the file cannot be had.
    virtual int counter(int action) = 0;

    // This computer is a client, or a server with clients connected.
    virtual bool networkInUse() const = 0;
    // After the item dialog: the shared item view back to its usual filter
    // and order.
    virtual bool resetItemView() = 0;
};

} // namespace kv::masters
