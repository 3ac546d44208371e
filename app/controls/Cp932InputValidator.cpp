#include "app/controls/Cp932InputValidator.h"

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
    if (m_byteLimit > 0 && cp932::byteLength(input) > m_byteLimit)
        return Invalid;
    return Acceptable;
}

} // namespace kv
