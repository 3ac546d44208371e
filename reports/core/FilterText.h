#pragma once

#include <QDate>
#include <QString>

namespace kv::reports::FilterText {

// The name column of a record being entered on some computer.
inline QString placeholder() { return QStringLiteral("新規作成中"); }

// A text literal of a filter, its own quotes doubled: the engine binds it as
// one value, so what a user typed never changes the condition's shape.
QString text(const QString& value);
// "#yyyy/mm/dd#", bound as a day number.
QString date(const QDate& date);

} // namespace kv::reports::FilterText
