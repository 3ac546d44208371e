#include "data/settings/ShopDetails.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

namespace {
struct TextField {
    QString ShopDetails::*member;
    qsizetype offset;
    qsizetype size;
    const char* label;
};

// Offsets and sizes of the file; the labels name the fields in refusals.
const TextField kTextFields[] = {
    {&ShopDetails::shopName, 0, 30, "自社名"},
    {&ShopDetails::address1, 30, 40, "住所1"},
    {&ShopDetails::address2, 70, 40, "住所2"},
    {&ShopDetails::telephone1, 110, 16, "ＴＥＬ1"},
    {&ShopDetails::telephone2, 126, 16, "ＴＥＬ2"},
    {&ShopDetails::business, 142, 40, "業務内容"},
    {&ShopDetails::slipNotice, 182, 500, "伝票案内"},
    {&ShopDetails::fontName, 682, 255, "フォント名"},
    {&ShopDetails::bankAccount, 948, 40, "振込先"},
};
constexpr qsizetype kLabourRate = 940;
constexpr qsizetype kBodyWorkRate = 944;
}

ShopDetails ShopDetails::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    ShopDetails s;
    for (const TextField& f : kTextFields)
        s.*f.member = in.textAt(f.offset, f.size);
    if (s.fontName.isEmpty())
        s.fontName = kDefaultFont;
    s.labourRate = in.int32At(kLabourRate);
    s.bodyWorkRate = in.int32At(kBodyWorkRate);
    return s;
}

QByteArray ShopDetails::toBytes(QString* refusal) const
{
    RecordWriter out(kFileSize);
    for (const TextField& f : kTextFields)
        out.putText(f.offset, f.size, this->*f.member, QString::fromUtf8(f.label));
    out.putInt32(kLabourRate, labourRate);
    out.putInt32(kBodyWorkRate, bodyWorkRate);
    if (!out.ok()) {
        if (refusal)
            *refusal = out.error();
        return {};
    }
    return out.bytes();
}

} // namespace kv::data
