#pragma once

#include "data/service/ExclusiveFileOpener.h"

#include <QString>

#include <functional>

namespace kv::data {

// The slip-number counter "015.dat": the last slip number handed out, a
// plain little-endian 32-bit integer.
class SlipNumberCounter {
public:
    static constexpr int kMaxSlipNumber = 999999;

    explicit SlipNumberCounter(const QString& dataFolder, const RetryTiming& timing = {});

    // The next number after the stored one that isUsed rejects (999999 wraps
    // to 1), stored as the new last number. The counter file stays held from
    // the read to the write, so two computers never get the same number.
    // 0 when every number is used or the file cannot be had.
    int NextSlipNumber(const std::function<bool(int)>& isUsed);

    QString counterPath() const;

private:
    QString m_dataFolder;
    ExclusiveFileOpener m_opener;
};

} // namespace kv::data
