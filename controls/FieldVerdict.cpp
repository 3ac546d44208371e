#include "controls/FieldVerdict.h"

#include <utility>

namespace kv {

FieldVerdict::FieldVerdict(bool accepted, QString text, QString message)
    : m_accepted(accepted), m_text(std::move(text)), m_message(std::move(message))
{
}

FieldVerdict FieldVerdict::accept(QString canonicalText)
{
    return FieldVerdict(true, std::move(canonicalText), QString());
}

FieldVerdict FieldVerdict::refuse(QString message, QString resetText)
{
    return FieldVerdict(false, std::move(resetText), std::move(message));
}

} // namespace kv
