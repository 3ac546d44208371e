#include "data/settings/CategoryNames.h"

#include "common/Cp932.h"
#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

int CategoryNames::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < kCount; ++i) {
        if (names[i] == name)
            return int(i);
    }
    return -1;
}

CategoryNames CategoryNames::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    CategoryNames s;
    for (qsizetype i = 0; i < kCount; ++i) {
        QByteArray plain;
        for (qsizetype k = 0; k < kNameBytes; ++k) {
            const auto stored = static_cast<unsigned char>(in.bytes().at(kNameBytes * i + k));
            // A raw zero ends the field as well as a masked one.
            if (stored == 0 || stored == kMask)
                break;
            plain.append(char(stored ^ kMask));
        }
        QString name = cp932::decode(plain);
        while (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        s.names[i] = name;
    }
    return s;
}

QByteArray CategoryNames::toBytes(QString* refusal) const
{
    RecordWriter plain(kFileSize);
    for (qsizetype i = 0; i < kCount; ++i) {
        const QString label = QStringLiteral("区分%1").arg(i);
        if (!plain.putText(kNameBytes * i, kNameBytes, names[i], label))
            break;
        // A byte equal to the mask would be stored as zero and end the name
        // when it is read back (']' or the trail byte of a character like ゾ).
        for (const QChar c : names[i]) {
            if (cp932::encode(QString(c)).contains(char(kMask))) {
                if (refusal)
                    *refusal = QStringLiteral("%1に使用できない文字「%2」が含まれています！")
                                   .arg(label, QString(c));
                return {};
            }
        }
    }
    if (!plain.ok()) {
        if (refusal)
            *refusal = plain.error();
        return {};
    }
    QByteArray masked = plain.bytes();
    for (char& c : masked)
        c = char(static_cast<unsigned char>(c) ^ kMask);
    return masked;
}

} // namespace kv::data
