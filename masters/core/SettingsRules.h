#pragma once

#include <QString>

#include <optional>

namespace kv::masters {

// The checks of the shop and label settings.
namespace SettingsRules {

// 工賃ﾚﾊﾞﾚｰﾄ and 鈑金ﾚﾊﾞﾚｰﾄ: whole yen from 0 to 999,999, typed with or
// without grouping; nullopt for anything else.
std::optional<int> rateFromText(const QString& text);
QString rateText(int rate); // grouped: 1,234
QString rateMessage();

// A label offset typed in millimetres (-99.9 to 99.9), cut down to one
// decimal, in tenths of a millimetre; nullopt for anything else.
std::optional<int> offsetFromText(const QString& text);
QString offsetText(int tenths); // "%.1f" of the millimetres
QString offsetMessage();

} // namespace SettingsRules

} // namespace kv::masters
