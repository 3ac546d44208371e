#pragma once

#include <QDate>
#include <QString>

namespace kv::records::search {

// Literals written into filter texts for the engine's parser. A text is
// quoted with its own quotes doubled, so whatever the user typed stays one
// literal and can never change the shape of the condition.
namespace FilterLiteral {
QString text(const QString& value);
// "#yyyy/mm/dd hh:mm:ss#"
QString dateTime(const QDate& date, const char* time);
} // namespace FilterLiteral

} // namespace kv::records::search
