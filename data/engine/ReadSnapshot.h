#pragma once

#include "data/engine/Connection.h"

namespace kv::data {

// Holds one read transaction over a walk through many rows (a list, a
// report), so that the walk takes the files' shared locks once instead of
// once per row, and sees one consistent state. Other processes' writes wait
// (up to the busy timeout) until the snapshot ends: keep it to the walk.
// Inside a unit of work it changes nothing.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Connection& connection);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    Connection& m_connection;
    bool m_active = false;
};

} // namespace kv::data
