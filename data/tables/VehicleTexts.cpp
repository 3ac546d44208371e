#include "data/tables/VehicleTexts.h"

#include "common/Cp932.h"
#include "common/KVCommon.h"
#include "data/engine/DayNumber.h"

#include <QStringList>

namespace kv::data::VehicleTexts {

namespace {

QString eraName(int code)
{
    switch (code) {
    case 2: return QStringLiteral("昭和");
    case 3: return QStringLiteral("平成");
    case 4: return QStringLiteral("令和");
    }
    return {};
}

// The era code and year of a date.
int eraYearOf(const QDate& date, int* era)
{
    QString label;
    return SeirekiToGengo(date.year(), date.month(), date.day(), era, label);
}

// Full-width forms of ASCII and of the ideographic blank become ASCII;
// kana become half-width katakana, voiced ones followed by ﾞ or ﾟ.
QString narrowed(const QString& text)
{
    static const QString fullKana = QStringLiteral(
        "ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホマミムメモャヤュユョヨラリルレロワヲンー。「」、・゛゜");
    static const QStringList halfKana = QStringLiteral(
        "ｧ ｱ ｨ ｲ ｩ ｳ ｪ ｴ ｫ ｵ ｶ ｷ ｸ ｹ ｺ ｻ ｼ ｽ ｾ ｿ ﾀ ﾁ ｯ ﾂ ﾃ ﾄ ﾅ ﾆ ﾇ ﾈ ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ ﾐ ﾑ ﾒ ﾓ ｬ ﾔ ｭ ﾕ ｮ ﾖ ﾗ ﾘ ﾙ ﾚ ﾛ ﾜ ｦ ﾝ ｰ ｡ ｢ ｣ ､ ･ ﾞ ﾟ")
                                         .split(QLatin1Char(' '));
    static const QString voiced = QStringLiteral("ガギグゲゴザジズゼゾダヂヅデドバビブベボ");
    static const QString voicedBase = QStringLiteral("カキクケコサシスセソタチツテトハヒフヘホ");
    static const QString semiVoiced = QStringLiteral("パピプペポ");
    static const QString semiVoicedBase = QStringLiteral("ハヒフヘホ");
    QString out;
    for (const QChar original : text) {
        QChar c = original;
        const char16_t u = c.unicode();
        if (u == 0x3000) {
            out += QLatin1Char(' ');
            continue;
        }
        if (u >= 0xFF01 && u <= 0xFF5E) {
            out += QChar(char16_t(u - 0xFEE0));
            continue;
        }
        // Hiragana as katakana.
        if (u >= 0x3041 && u <= 0x3093)
            c = QChar(char16_t(u + 0x60));
        qsizetype at = fullKana.indexOf(c);
        if (at >= 0) {
            out += halfKana.at(at);
        } else if ((at = voiced.indexOf(c)) >= 0) {
            out += halfKana.at(fullKana.indexOf(voicedBase.at(at))) + QStringLiteral("ﾞ");
        } else if ((at = semiVoiced.indexOf(c)) >= 0) {
            out += halfKana.at(fullKana.indexOf(semiVoicedBase.at(at))) + QStringLiteral("ﾟ");
        } else {
            out += original;
        }
    }
    return out;
}

} // namespace

QString nextInspection(const QDate& date)
{
    if (!date.isValid() || date.year() < 1)
        return {};
    int era = 0;
    const int year = eraYearOf(date, &era);
    return eraName(era) + QString::asprintf("%2d", year) + QStringLiteral("年")
        + QString::asprintf("%2d", date.month()) + QStringLiteral("月")
        + QString::asprintf("%2d", date.day()) + QStringLiteral("日");
}

QString firstRegistration(const QDate& date)
{
    if (!date.isValid() || date.year() < 1)
        return {};
    int era = 0;
    const int year = eraYearOf(date, &era);
    const QString name = eraName(era);
    if (name.isEmpty())
        return {};
    return name + QString::asprintf("%02d/%02d", year, date.month());
}

QString plate(const data::CarRow& vehicle)
{
    QString kana = vehicle.m_Kana;
    for (int bytes = cp932::byteLength(kana); bytes < 2; ++bytes)
        kana += QLatin1Char(' ');
    const QString classNumber =
        vehicle.m_Rno != 0 ? QStringLiteral("%1 ").arg(vehicle.m_Rno) : QStringLiteral("   ");
    const QString number = vehicle.m_Preno != 0 ? QString::asprintf("%4d ", vehicle.m_Preno)
                                                : QStringLiteral("     ");
    return vehicle.m_Rikuji + QLatin1Char(' ') + classNumber + kana + QLatin1Char(' ') + number;
}

QString vehicleName(const QString& makeName, const QString& model)
{
    return cp932::truncateToBytes(narrowed(makeName) + QLatin1Char(' ') + model, 25);
}

QDate dateOf(double dayNumber)
{
    if (dayNumber == data::kEmptyDate)
        return {};
    return data::fromDayNumber(dayNumber).date();
}

} // namespace kv::data::VehicleTexts
