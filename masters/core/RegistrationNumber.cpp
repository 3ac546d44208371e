#include "masters/core/RegistrationNumber.h"

namespace kv::masters::RegistrationNumber {

QString normalized(const QString& typed)
{
    QString text = typed.normalized(QString::NormalizationForm_KC);
    text.remove(QLatin1Char(' '));
    if (text.startsWith(QLatin1Char('t')))
        text[0] = QLatin1Char('T');
    return text;
}

int checkDigit(const QString& twelveDigits)
{
    if (twelveDigits.size() != 12)
        return -1;
    int sum = 0;
    // Counted from the right: odd places weigh 1, even places 2.
    for (int n = 1; n <= 12; ++n) {
        const QChar c = twelveDigits.at(12 - n);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        sum += (c.unicode() - '0') * (n % 2 == 1 ? 1 : 2);
    }
    return 9 - sum % 9;
}

Verdict check(const QString& text)
{
    if (text.isEmpty())
        return Verdict::Empty;
    if (text.size() != 14 || text.at(0) != QLatin1Char('T'))
        return Verdict::Malformed;
    const QString digits = text.mid(1);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Verdict::Malformed;
    }
    return checkDigit(digits.mid(1)) == digits.at(0).unicode() - '0' ? Verdict::Valid
                                                                     : Verdict::CheckDigitFails;
}

QString malformedMessage()
{
    return QStringLiteral("登録番号はＴと13桁の数字で入力して下さい！");
}

QString checkDigitQuestion()
{
    return QStringLiteral("登録番号の検査用数字が一致しません！\nこの登録番号で登録しますか？");
}

} // namespace kv::masters::RegistrationNumber
