#pragma once

#include <QString>

namespace kv::data {

// Stores the record counts of the counted tables (customers, vehicles,
// items, item sets) in their counter files after a loader wrote rows.
bool storeRecordCounts(const QString& dataFolder, QString* error);

} // namespace kv::data
