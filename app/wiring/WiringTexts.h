#pragma once

#include <QString>

namespace kv::app::WiringTexts {

// Shown if a command of the records that is not offered yet is reached.
inline QString notAvailable()
{
    return QStringLiteral("この機能は現在使用できません。");
}

} // namespace kv::app::WiringTexts
