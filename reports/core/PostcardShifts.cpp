#include "reports/core/PostcardShifts.h"

#include "data/settings/PrintPositions.h"

#include <QRegularExpression>

namespace kv::reports {

PostcardShift PostcardShift::addressSide(const data::PrintPositions& positions)
{
    return PostcardShift{positions.postcard[0], positions.postcard[1]};
}

PostcardShift PostcardShift::backSide(const data::PrintPositions& positions)
{
    return PostcardShift{positions.postcard[2], positions.postcard[3]};
}

namespace PostcardShifts {

std::optional<int> tenthsOf(const QString& millimetres)
{
    static const QRegularExpression shape(QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?$"));
    const QRegularExpressionMatch match = shape.match(millimetres.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString whole = match.captured(2);
    const QString decimals = match.captured(3);
    if (whole.isEmpty() && decimals.isEmpty())
        return std::nullopt;
    QString wholeDigits = whole;
    while (wholeDigits.startsWith(u'0'))
        wholeDigits.remove(0, 1);
    if (wholeDigits.size() > 2)
        return std::nullopt;
    const int millimetresWhole = wholeDigits.isEmpty() ? 0 : wholeDigits.toInt();
    const int firstDecimal = decimals.isEmpty() ? 0 : decimals.front().digitValue();
    static const QRegularExpression nonZero(QStringLiteral("[1-9]"));
    const bool finer = decimals.size() > 1 && decimals.mid(1).contains(nonZero);
    // |value| ≤ 99.9 exactly.
    if (millimetresWhole == 99 && firstDecimal == 9 && finer)
        return std::nullopt;
    int tenths = millimetresWhole * 10 + firstDecimal;
    if (match.captured(1) == QStringLiteral("-")) {
        tenths = -tenths;
        if (finer)
            --tenths; // rounded down, away from zero below it
    }
    return tenths;
}

QString shown(int tenths)
{
    return QString::asprintf("%.1f", tenths / 10.0);
}

} // namespace PostcardShifts

} // namespace kv::reports
