#pragma once

#include "data/tables/DataStore.h"
#include "data/tools/DataGenerator.h"

#include <QString>

namespace kv::bench {

// The data folder `sabion-datafolder generate` makes, at the size asked
// (by default 100,000 customers, 200,000 vehicles, 400,000 slips and
// 4,000,000 slip lines, the ledger rows of the slips and their payments):
// built once under $KV_BENCH_DATA_FOLDER (else the
// system's temporary folder), named after its sizes, and reused. It is
// generated under a ".part" name and renamed when complete, so an
// interrupted run is never taken for a full folder (a ledger of a given
// count is named in the folder's name). The seed and the
// reference date are fixed: every build benchmarks the same records.
QString generatedDataFolder(const kv::data::DataGenerator::Size& size = {});

// The full-size shop with 1,000,000 ledger rows, generated when missing and
// opened once for every benchmark of the program.
kv::data::DataStore& ledgerShop();

} // namespace kv::bench
