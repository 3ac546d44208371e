#include "controls/Cp932InputValidator.h"

#include "controls/KanaConversion.h"
#include "common/Cp932.h"

namespace kv {

Cp932InputValidator::Cp932InputValidator(QObject* parent)
    : QValidator(parent)
{
}

QValidator::State Cp932InputValidator::validate(QString& input, int&) const
{
    if (!cp932::isRepresentable(input))
        return Invalid;
    if (m_byteLimit > 0 && storedBytes(input) > m_byteLimit)
        return Invalid;
    return Acceptable;
}

int Cp932InputValidator::storedBytes(const QString& text) const
{
    return cp932::byteLength(m_measuresReading ? toHalfWidthKana(text) : text);
}

QString Cp932InputValidator::fitting(const QString& kept, const QString& inserted) const
{
    if (m_byteLimit <= 0)
        return inserted;
    int budget = m_byteLimit - storedBytes(kept);
    qsizetype length = 0;
    while (length < inserted.size()) {
        // Surrogate pairs stay whole; the kana conversion works per character.
        const qsizetype width =
            inserted.at(length).isHighSurrogate() && length + 1 < inserted.size() ? 2 : 1;
        const int bytes = storedBytes(inserted.mid(length, width));
        if (bytes > budget)
            break;
        budget -= bytes;
        length += width;
    }
    return inserted.left(length);
}

} // namespace kv
