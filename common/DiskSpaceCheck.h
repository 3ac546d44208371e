#pragma once

#include "common/KVCommonExport.h"

#include <QString>

#include <functional>

namespace kv {

// The free-space checks of the data folder's drive: 1 GiB before the
// program works on it, 1 MiB before each record is added.
class KVCOMMON_EXPORT DiskSpaceCheck {
public:
    static constexpr double StartMinimum = 1073741824.0;
    static constexpr double WriteMinimum = 1048576.0;

    // Free bytes of the drive holding root; false when it cannot be asked.
    using FreeSpaceQuery = std::function<bool(const QString& root, double* freeBytes)>;

    explicit DiskSpaceCheck(QString dataFolder, QString localDataFolder = {}, bool isClient = false,
                            FreeSpaceQuery query = systemQuery());

    // Each shows its message and gives false when the space is short or
    // cannot be asked. On a client the start check also covers the local
    // data folder.
    bool CheckDiskSpaceForStart() const;
    bool CheckDiskSpaceForWrite() const;

    void setDataFolder(const QString& folder) { m_dataFolder = folder; }
    // The common library's query (GetDiskFreeByteEx).
    static FreeSpaceQuery systemQuery();

private:
    enum class Outcome { Enough, Short, QueryFailed };
    Outcome test(const QString& folder, double minimum) const;
    bool check(const QString& folder, double minimum, const QString& shortText) const;

    QString m_dataFolder;
    QString m_localDataFolder;
    bool m_isClient;
    FreeSpaceQuery m_query;
};

} // namespace kv
