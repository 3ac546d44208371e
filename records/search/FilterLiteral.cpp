#include "records/search/FilterLiteral.h"

namespace kv::records::search::FilterLiteral {

QString text(const QString& value)
{
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString dateTime(const QDate& date, const char* time)
{
    return QStringLiteral("#%1 %2#").arg(date.toString(QStringLiteral("yyyy/MM/dd")),
                                         QLatin1String(time));
}

} // namespace kv::records::search::FilterLiteral
