#pragma once

#include <QString>

namespace kv::lan {

// The name a computer goes by in the lock tables, made to fit a slot: a
// name no slot can hold would refuse every lock this computer asks for.
namespace ComputerName {

// Bytes of a name in a lock-table slot.
constexpr int kMaxBytes = 43;

// wanted without an IPv6 zone ("%eth0"), characters CP932 has no code for
// as "_", cut to kMaxBytes CP932 bytes; a name that would store as nothing
// (empty, or only "k", which the slot's coding turns into zero bytes) gets
// the prefix "PC-".
QString forLockTables(const QString& wanted);

} // namespace ComputerName

} // namespace kv::lan
