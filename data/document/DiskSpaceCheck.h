#pragma once

#include <QString>

#include <functional>

namespace kv::data {

// The free-space check before a record is added: at least 1 MiB free on
// the data folder's drive, else a message.
class DiskSpaceCheck {
public:
    // Free bytes of the drive holding a folder; false when it cannot be told.
    using FreeBytesQuery = std::function<bool(const QString& folder, double* freeBytes)>;

    static constexpr double kMinimumForWrite = 1048576.0;

    // The query of the common library (GetDiskFreeByteEx).
    static FreeBytesQuery systemQuery();

    // True with 1 MiB or more free; otherwise false after the message.
    static bool forWrite(const QString& dataFolder, const FreeBytesQuery& query = systemQuery());
};

} // namespace kv::data
