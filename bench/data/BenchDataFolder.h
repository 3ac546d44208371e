#pragma once

#include <QString>

namespace kv::bench {

struct BenchSizes {
    int customers = 100000;
    int vehicles = 200000;
    int slips = 400000;
    int slipLines = 1000000;
};

// A data folder filled with generated customers, vehicles, slips, lines and
// ledger rows with Japanese names, readings and addresses; built once under
// the system's temporary folder and reused while its sizes match.
QString benchDataFolder(const BenchSizes& sizes = {});

} // namespace kv::bench
