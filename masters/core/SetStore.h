#pragma once

#include "data/tables/TableRows.h"
#include "masters/core/ItemRow.h"

#include <functional>
#include <optional>
#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
class UnitOfWork;
} // namespace kv::data

namespace kv::masters {

// The header of a work and parts set (作業・部品ｾｯﾄ).
struct SetHeader {
    int code = 0;
    QString name;
    QString reading;
    bool isPlaceholder() const;
    ItemRow row() const { return {code, name, reading}; }
    bool operator==(const SetHeader&) const = default;
};

// The sets of "012.mdb" for the set window, the set pick list and the line
// grids: the headers, the lines (encoded as slip lines), the edit lock and
// the set counter. A set is written and deleted header and lines together,
// in one unit of work. Failures have shown their message when a call
// returns.
class SetStore {
public:
    explicit SetStore(kv::data::CCarMaintenanceDoc& document);

    // Every header, placeholders included, in code order; nullopt after a
    // database error.
    std::optional<std::vector<SetHeader>> readHeaders();
    // The header with the code (FindSet); nullopt when there is none.
    std::optional<SetHeader> findHeader(int code);
    // The set's lines in LineNo order as slip lines; nullopt after a
    // database error.
    std::optional<std::vector<kv::data::SyaJnlRow>> readLines(int code);
    // The lines of a real set (not a placeholder) for expanding into a
    // grid; nullopt when there is no such set.
    std::optional<std::vector<kv::data::SyaJnlRow>> linesOfSet(int code);
    // Sets that are not placeholders; -1 after a database error.
    int countRealSets();

    // A new placeholder with the lowest free code (ReserveSetCode); 0 when
    // none is free or the disk is full.
    int reserveCode();
    bool checkDiskSpaceForWrite();
    // A placeholder header under a typed free code.
    bool writePlaceholder(int code);
    // Deletes the header when it is still a placeholder.
    bool removePlaceholder(int code);
    // Writes the header and replaces all lines of the set, as one unit of
    // work: on failure the set stays as it was.
    bool writeSet(const SetHeader& header, const std::vector<kv::data::SyaJnlRow>& lines);
    // Deletes the lines and the header, as one unit of work.
    bool removeSet(int code);

    // The edit lock of "012.mdb" for this computer; claiming a code gives up
    // the one held before. False when another computer holds it.
    bool claimLock(int code);
    bool releaseLock();
    // The set counter "100.dat": Read 0, Increment 1, Decrement -1; the
    // count after the action, -1 when the file cannot be had.
    int counter(int action);
    // This computer is a client, or a server with clients connected.
    void setNetworkInUse(std::function<bool()> networkInUse)
    {
        m_networkInUse = std::move(networkInUse);
    }
    bool networkInUse() const;
    // The shared header view back to its usual filter and the order of the
    // set pick list (reading order: "Furi, SetName, SetCode").
    bool resetHeaderView(ItemOrder order);

private:
    bool failed(const QString& description) const;
    // Commits when nothing failed; otherwise rolls back and tells why.
    bool finish(kv::data::UnitOfWork& work, QString error);

    kv::data::CCarMaintenanceDoc& m_document;
    std::function<bool()> m_networkInUse;
};

} // namespace kv::masters
