#pragma once

namespace kv::records {

// What the query-by-form search needs of the main frame: its mode, to go
// back to afterwards, and query mode, during which the record commands are
// off and the command's check button is pressed.
class QueryFormHost {
public:
    virtual ~QueryFormHost() = default;

    virtual int mode() const = 0;
    // The frame's mode becomes this search mode, with its order applied.
    virtual void setSearchMode(int mode) = 0;
    virtual void setQueryMode(bool on) = 0;
};

} // namespace kv::records
