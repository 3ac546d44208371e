#pragma once

namespace kv::bench {

// The process's resident memory in bytes: what it holds now, and the most it
// has held since the peak was last reset (0 where the system does not say).
long long residentBytes();
long long peakResidentBytes();
// Starts a new peak from what the process holds now.
void resetPeakResident();

} // namespace kv::bench
