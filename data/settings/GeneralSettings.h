#pragma once

#include <QByteArray>

namespace kv::data {

// "001.dat": slip defaults and the default prefecture of the postal search.
struct GeneralSettings {
    static constexpr qsizetype kFileSize = 256;

    qint32 agencyFeeTaxable = 0;   // default of the 代行料 taxable tick box (0/1)
    qint32 lastRecordedSlipNo = 0; // number of the slip recorded last
    qint32 defaultPrefecture = 0;  // index of the prefecture list, -1 none

    static GeneralSettings fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    bool operator==(const GeneralSettings&) const = default;
};

} // namespace kv::data
