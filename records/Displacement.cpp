#include "records/Displacement.h"

#include "common/KVCommon.h"

#include <cmath>

namespace kv::records {

QString Displacement::show(int hundredths)
{
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10,
                                                             QLatin1Char('0'));
}

bool Displacement::read(const QString& text, int* hundredths)
{
    if (text.trimmed().isEmpty()) {
        *hundredths = 0;
        return true;
    }
    int flag = 0;
    const double litres = KanmaToDouble(text, &flag);
    if (!flag || !std::isfinite(litres) || litres < 0 || litres >= 1000)
        return false;
    // 1.15 is 114.999… in binary; the margin keeps the typed hundredth.
    const int value = int(std::floor(litres * 100 + 1e-6));
    if (value > 99999)
        return false;
    *hundredths = value;
    return true;
}

FieldCheckResult Displacement::checkOnLeave(const QString& text)
{
    int hundredths = 0;
    if (!read(text, &hundredths))
        return FieldCheckResult::refuse(QStringLiteral("0から999.99迄の整数を入力してくだい！"),
                                        QStringLiteral("0.00"));
    return FieldCheckResult::accept(show(hundredths));
}

} // namespace kv::records
