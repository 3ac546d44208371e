#include "data/settings/PrintSettings.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

namespace {
constexpr qsizetype kColourInk = 52;
constexpr qsizetype kDiscountSign = 56;
constexpr qsizetype kPartsLabourBreakdown = 60;
constexpr qsizetype kJobCategoryListOption = 64;
}

PrintSettings PrintSettings::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    PrintSettings s;
    s.positions = PrintPositions::fromBytes(in.bytes());
    s.colourInk = in.int32At(kColourInk);
    s.discountSign = in.int32At(kDiscountSign);
    s.partsLabourBreakdown = in.int32At(kPartsLabourBreakdown);
    s.jobCategoryListOption = in.int32At(kJobCategoryListOption);
    return s;
}

QByteArray PrintSettings::toBytes() const
{
    RecordWriter out(kFileSize);
    out.putBytes(0, positions.toBytes());
    out.putInt32(kColourInk, colourInk);
    out.putInt32(kDiscountSign, discountSign);
    out.putInt32(kPartsLabourBreakdown, partsLabourBreakdown);
    out.putInt32(kJobCategoryListOption, jobCategoryListOption);
    return out.bytes();
}

} // namespace kv::data
