#pragma once

namespace kv::records {

enum class RecordKind { Customer, Vehicle };

// The codes the main frame holds for the records being entered with F10
// and F11, and the search mode to go back to once they are recorded.
class ReservationHost {
public:
    virtual ~ReservationHost() = default;

    // 0 when none is held.
    virtual int reservedCode(RecordKind kind) const = 0;
    virtual void setReservedCode(RecordKind kind, int code) = 0;
    // Deletes the placeholder of the held code; the held code becomes 0.
    virtual void discardReservation(RecordKind kind) = 0;
    virtual int previousSearchMode() const = 0;
};

} // namespace kv::records
