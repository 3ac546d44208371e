#include "records/search/ReadingRange.h"

#include "common/Cp932.h"
#include "records/search/FilterLiteral.h"

namespace kv::records::search {
namespace {

const QChar kLastKana = QChar(0xFF9D); // ﾝ, CP932 0xDD

// The first kana of each row; the row ends where the next begins.
const char16_t kRowFirst[] = {0xFF71, 0xFF76, 0xFF7B, 0xFF80, 0xFF85,
                              0xFF8A, 0xFF8F, 0xFF94, 0xFF97, 0xFF9C};

QString paddedWithLastKana(const QString& text)
{
    QString padded = cp932::truncateToBytes(text, ReadingRange::kReadingBytes);
    const int missing = ReadingRange::kReadingBytes - cp932::byteLength(padded);
    if (missing > 0)
        padded += QString(missing, kLastKana);
    return padded;
}

} // namespace

ReadingRange::ReadingRange(QString lower, QString upper, bool upperInclusive, bool outside)
    : m_lower(std::move(lower))
    , m_upper(std::move(upper))
    , m_upperInclusive(upperInclusive)
    , m_outside(outside)
{
}

ReadingRange ReadingRange::startingWith(const QString& text)
{
    const QString lower = cp932::truncateToBytes(text, kReadingBytes);
    return ReadingRange(lower, lower.isEmpty() ? QString() : paddedWithLastKana(lower), true,
                        false);
}

ReadingRange ReadingRange::kanaRow(int row)
{
    const QString allLast = paddedWithLastKana(QString());
    if (row < 0 || row >= kOtherReadingsRow)
        return ReadingRange(QString(QChar(kRowFirst[0])), allLast, true, true);
    const QString first(QChar(kRowFirst[row]));
    if (row == kOtherReadingsRow - 1)
        return ReadingRange(first, allLast, true, false);
    return ReadingRange(first, QString(QChar(kRowFirst[row + 1])), false, false);
}

QStringList ReadingRange::kanaRowCaptions()
{
    QStringList captions;
    for (int row = 0; row < kOtherReadingsRow; ++row)
        captions << QStringLiteral("%1(%2)").arg(QChar(kRowFirst[row])).arg((row + 1) % 10);
    return captions;
}

int ReadingRange::kanaRowOfKey(QChar key)
{
    if (key == u'.')
        return kOtherReadingsRow;
    if (key == u'0')
        return kOtherReadingsRow - 1;
    if (key >= u'1' && key <= u'9')
        return key.unicode() - u'1';
    return -1;
}

QStringList ReadingRange::conditions() const
{
    const QString lower = FilterLiteral::text(m_lower);
    const QString upper = FilterLiteral::text(m_upper);
    if (m_outside)
        return {QStringLiteral("Furi < %1").arg(lower), QStringLiteral("Furi > %1").arg(upper)};
    return {QStringLiteral("(Furi >= %1 AND Furi %2 %3)")
                .arg(lower, m_upperInclusive ? QStringLiteral("<=") : QStringLiteral("<"), upper)};
}

bool ReadingRange::contains(const QString& reading) const
{
    const int fromLower = cp932::compare(reading, m_lower);
    const int fromUpper = cp932::compare(reading, m_upper);
    const bool inside = fromLower >= 0 && (m_upperInclusive ? fromUpper <= 0 : fromUpper < 0);
    return m_outside ? !inside : inside;
}

} // namespace kv::records::search
