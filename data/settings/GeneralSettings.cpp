#include "data/settings/GeneralSettings.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

namespace {
constexpr qsizetype kAgencyFeeTaxable = 0;
constexpr qsizetype kLastRecordedSlipNo = 4;
constexpr qsizetype kDefaultPrefecture = 12;
}

GeneralSettings GeneralSettings::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    GeneralSettings s;
    s.agencyFeeTaxable = in.int32At(kAgencyFeeTaxable);
    s.lastRecordedSlipNo = in.int32At(kLastRecordedSlipNo);
    s.defaultPrefecture = in.int32At(kDefaultPrefecture);
    return s;
}

QByteArray GeneralSettings::toBytes() const
{
    RecordWriter out(kFileSize);
    out.putInt32(kAgencyFeeTaxable, agencyFeeTaxable);
    out.putInt32(kLastRecordedSlipNo, lastRecordedSlipNo);
    out.putInt32(kDefaultPrefecture, defaultPrefecture);
    return out.bytes();
}

} // namespace kv::data
