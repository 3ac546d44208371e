#include "reports/core/FilterText.h"

namespace kv::reports::FilterText {

QString text(const QString& value)
{
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString date(const QDate& date)
{
    return u'#' + date.toString(QStringLiteral("yyyy/MM/dd")) + u'#';
}

} // namespace kv::reports::FilterText
