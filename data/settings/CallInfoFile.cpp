#include "data/settings/CallInfoFile.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

namespace {
constexpr qsizetype kKokCode = 0;

struct TextField {
    QString CallInfoEntry::*member;
    qsizetype offset;
    qsizetype size;
    const char* label;
};

const TextField kTextFields[] = {
    {&CallInfoEntry::ownerName1, 4, 20, "氏名1"},   {&CallInfoEntry::ownerName2, 24, 20, "氏名2"},
    {&CallInfoEntry::furi, 44, 20, "ﾌﾘｶﾞﾅ"},        {&CallInfoEntry::ownerJyu1, 64, 30, "住所1"},
    {&CallInfoEntry::ownerJyu2, 94, 30, "住所2"},   {&CallInfoEntry::tel1, 124, 20, "電話番号1"},
    {&CallInfoEntry::tel2, 144, 20, "電話番号2"},   {&CallInfoEntry::arrival, 164, 348, "着信日時"},
};
}

CallInfoFile CallInfoFile::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    CallInfoFile s;
    for (qsizetype i = 0; i < kCount; ++i) {
        const qsizetype base = kEntrySize * i;
        CallInfoEntry& e = s.entries[i];
        e.kokCode = in.int32At(base + kKokCode);
        for (const TextField& f : kTextFields)
            e.*f.member = in.textAt(base + f.offset, f.size);
    }
    return s;
}

QByteArray CallInfoFile::toBytes(QString* refusal) const
{
    RecordWriter out(kFileSize);
    for (qsizetype i = 0; i < kCount; ++i) {
        const qsizetype base = kEntrySize * i;
        const CallInfoEntry& e = entries[i];
        out.putInt32(base + kKokCode, e.kokCode);
        for (const TextField& f : kTextFields)
            out.putText(base + f.offset, f.size, e.*f.member, QString::fromUtf8(f.label));
    }
    if (!out.ok()) {
        if (refusal)
            *refusal = out.error();
        return {};
    }
    return out.bytes();
}

} // namespace kv::data
