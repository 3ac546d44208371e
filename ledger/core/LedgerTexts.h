#pragma once

#include <QString>

namespace kv::ledger::LedgerTexts {

inline const QString rowGone = QStringLiteral("該当取引が存在しません！");
// A linked slip gone from under its line (with the half-width mark).
inline const QString slipGone = QStringLiteral("該当伝票が存在しません!");
// No line carries the slip number searched for.
inline const QString slipNotFound = QStringLiteral("該当伝票が存在しません！");
inline const QString balanceGone = QStringLiteral("該当残高が存在しません！");

} // namespace kv::ledger::LedgerTexts
