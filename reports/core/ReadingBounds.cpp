#include "reports/core/ReadingBounds.h"

#include "common/Cp932.h"
#include "reports/core/FilterText.h"

namespace kv::reports {
namespace {

// The character of a CP932 code, or nothing for a code CP932 leaves empty.
std::optional<QChar> characterOf(int code)
{
    QByteArray bytes;
    if (code > 0xFF)
        bytes.append(char(code >> 8));
    bytes.append(char(code & 0xFF));
    const QString text = cp932::decode(bytes);
    if (text.size() != 1 || text.front() == QChar(0xFFFD) || cp932::codeOf(text.front().unicode()) != code)
        return std::nullopt;
    return text.front();
}

// The character that follows code in byte order: the next single byte, or
// the next legal pair of a lead byte. A character CP932 cannot hold sorts as
// '?', so it is followed by what follows '?'.
std::optional<QChar> nextCharacter(int code)
{
    if (code < 0)
        code = '?';
    int lead = code > 0xFF ? code >> 8 : code;
    int trail = code > 0xFF ? code & 0xFF : 0xFF;
    for (; lead <= 0xFF; ++lead, trail = -1) {
        if (!cp932::isLeadByte(static_cast<unsigned char>(lead))) {
            if (trail == -1) {
                if (auto c = characterOf(lead))
                    return c;
            }
            continue;
        }
        for (int t = trail + 1; t <= 0xFF; ++t) {
            if (cp932::isLegalPair(static_cast<unsigned char>(lead), static_cast<unsigned char>(t))) {
                if (auto c = characterOf((lead << 8) | t))
                    return c;
            }
        }
    }
    return std::nullopt;
}

} // namespace

ReadingBounds::ReadingBounds(const QString& from, const QString& to)
    : m_from(cp932::truncateToBytes(from, kReadingBytes))
    , m_to(cp932::truncateToBytes(to, kReadingBytes))
{
    if (!m_to.isEmpty())
        m_past = pastPrefix(m_to);
}

std::optional<QString> ReadingBounds::pastPrefix(const QString& prefix)
{
    QString head = prefix;
    while (!head.isEmpty()) {
        const QChar last = head.back();
        head.chop(1);
        if (const auto next = nextCharacter(cp932::codeOf(last.unicode())))
            return head + *next;
    }
    return std::nullopt;
}

QString ReadingBounds::condition() const
{
    const QString lower = QStringLiteral("Furi >= %1").arg(FilterText::text(m_from));
    if (m_to.isEmpty())
        return QStringLiteral("(%1 AND Furi <= %2)").arg(lower, FilterText::text(QString()));
    if (!m_past)
        return QStringLiteral("(%1)").arg(lower);
    return QStringLiteral("(%1 AND Furi < %2)").arg(lower, FilterText::text(*m_past));
}

bool ReadingBounds::contains(const QString& reading) const
{
    if (cp932::compare(reading, m_from) < 0)
        return false;
    if (m_to.isEmpty())
        return reading.isEmpty();
    return !m_past || cp932::compare(reading, *m_past) < 0;
}

} // namespace kv::reports
