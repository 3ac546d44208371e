#include "masters/core/SettingsRules.h"

#include "common/KVCommon.h"

#include <QRegularExpression>

namespace kv::masters::SettingsRules {

std::optional<int> rateFromText(const QString& text)
{
    int flag = 0;
    const int value = KanmaToInt(text.trimmed(), &flag);
    if (flag != 1 || text.trimmed().isEmpty() || value < 0 || value > 999999)
        return std::nullopt;
    return value;
}

QString rateText(int rate)
{
    QString text;
    Kanma(text, rate);
    return text;
}

QString rateMessage()
{
    return QStringLiteral("0から999,999迄の整数を入力してくだい！");
}

std::optional<int> offsetFromText(const QString& text)
{
    // Digits are cut, never rounded: 12.37 is 12.3 and -0.05 is 0.0.
    static const QRegularExpression pattern(QStringLiteral("^([-+]?)(\\d{0,3})(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    const int whole = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    const int tenth = match.captured(3).isEmpty() ? 0 : match.captured(3).at(0).digitValue();
    const QString beyond = match.captured(3).mid(1);
    int tenths = whole * 10 + tenth;
    const bool negative = match.captured(1) == QStringLiteral("-");
    // -99.95 lies below -99.9 even though its cut form does not.
    const bool beyondLimit = tenths > 999 || (tenths == 999 && beyond.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    if (beyondLimit)
        return std::nullopt;
    return negative ? -tenths : tenths;
}

QString offsetText(int tenths)
{
    return QString::asprintf("%.1f", tenths / 10.0);
}

QString offsetMessage()
{
    return QStringLiteral("-99.9から99.9迄を入力して下さい！");
}

} // namespace kv::masters::SettingsRules
