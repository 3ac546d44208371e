#include "records/certificate/CertificateCodes.h"

#include "records/certificate/CertificateText.h"

#include <QRegularExpression>

namespace kv::records {
namespace {

const QString kNotACode =
    QStringLiteral("%1行目は車検証の2次元コードではありません！\n(先頭が「2」でも「K」でもありません)");
const QString kWrongCount = QStringLiteral(
    "%1行目の2次元コードの項目数(%2)が異常です！\n%3のコード2は%4項目、コード3は19項目です");
const QString kMixed =
    QStringLiteral("登録車と軽自動車の2次元コードが混ざっています！\n同じ車検証のコードを読み取って下さい");
const QString kGarbled = QStringLiteral("コード%1の%2が異常です！\nもう一度読み取って下さい");
const QString kNothing = QStringLiteral("2次元コードが読み取られていません！");

// "-" and an empty field give nothing.
QString field(const QStringList& fields, int index)
{
    const QString value = CertificateText::normalised(fields.value(index));
    return value == QLatin1String("-") ? QString() : value;
}

bool allDigits(const QString& text, int length)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    return text.size() == length && digits.match(text).hasMatch();
}

// YYMMDD or YYMM; false for a text that is there but no date. Zeros mean
// the code carries no date.
bool codeDate(const QString& text, bool yearMonth, QDate* date)
{
    if (text.isEmpty() || text.count(QLatin1Char('0')) == text.size())
        return true;
    if (!allDigits(text, yearMonth ? 4 : 6))
        return false;
    const QDate read(CertificateText::fullYear(text.left(2).toInt()), text.mid(2, 2).toInt(),
                     yearMonth ? 1 : text.mid(4, 2).toInt());
    *date = read;
    return read.isValid();
}

// Axle weights are in tens of kilograms.
QString axleWeight(const QString& tens)
{
    bool ok = false;
    const int value = tens.toInt(&ok);
    return ok ? QString::number(value * 10) : QString();
}

} // namespace

QString CertificateCodes::fuelName(const QString& code)
{
    static const struct {
        const char* code;
        const char* name;
    } fuels[] = {
        {"01", "ガソリン"},       {"02", "軽油"},           {"03", "LPG"},
        {"04", "灯油"},           {"05", "電気"},           {"06", "ガソリン・LPG"},
        {"07", "ガソリン・灯油"}, {"08", "メタノール"},     {"09", "CNG"},
        {"11", "LNG"},            {"12", "ANG"},            {"13", "圧縮水素"},
        {"14", "ガソリン・電気"}, {"15", "LPG・電気"},      {"16", "軽油・電気"},
        {"99", "その他"},
    };
    for (const auto& fuel : fuels) {
        if (code == QLatin1String(fuel.code))
            return QString::fromUtf8(fuel.name);
    }
    return {};
}

CertificateCodes::Result CertificateCodes::read(const QString& scanned)
{
    Result result;
    CertificateData& d = result.data;
    int lineNumber = 0;
    QString kindSeen;
    for (const QString& rawLine : scanned.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        ++lineNumber;
        const QStringList fields = line.split(QLatin1Char('/'));
        const QString head = CertificateText::normalised(fields.first()).toUpper();
        const bool light = head == QLatin1String("K");
        if (!light && head != QLatin1String("2")) {
            result.message = kNotACode.arg(lineNumber);
            return result;
        }
        const int code2Count = light ? 7 : 6;
        const int count = int(fields.size());
        if (count != code2Count && count != 19) {
            result.message = kWrongCount.arg(lineNumber).arg(count)
                                 .arg(light ? QStringLiteral("軽自動車") : QStringLiteral("登録車"))
                                 .arg(code2Count);
            return result;
        }
        if (!kindSeen.isEmpty() && kindSeen != head) {
            result.message = kMixed;
            return result;
        }
        kindSeen = head;
        const QString kindText = light ? QStringLiteral("軽自動車") : QStringLiteral("登録車");
        // A 軽's code carries a version number after its "K".
        const int shift = light ? 1 : 0;
        if (count == code2Count) {
            d.plate = field(fields, 1 + shift);
            d.chassis = field(fields, 3 + shift);
            d.engine = field(fields, 4 + shift);
            result.recognised << QStringLiteral("コード2 (%1): %2  %3").arg(kindText, d.plate, d.chassis);
            continue;
        }
        QDate expiry;
        if (!codeDate(field(fields, 3 + shift), false, &expiry)) {
            result.message = kGarbled.arg(3).arg(QStringLiteral("有効期間の満了する日"));
            return result;
        }
        QDate first;
        if (!codeDate(field(fields, 4 + shift), true, &first)) {
            result.message = kGarbled.arg(3).arg(QStringLiteral("初度登録年月"));
            return result;
        }
        d.expiry = expiry;
        d.firstRegistration = first;
        QString designation = field(fields, 2 + shift);
        if (designation.startsWith(QLatin1Char('*')))
            designation.remove(0, 1);
        if (allDigits(designation, 9)) {
            d.designation = designation.left(5);
            d.category = designation.mid(5);
        } else if (!designation.isEmpty()) {
            d.unreadable << QStringLiteral("型式指定番号・類別区分番号");
        }
        d.model = field(fields, 5 + shift);
        for (int i = 0; i < 4; ++i)
            d.axleWeights[size_t(i)] = axleWeight(field(fields, 6 + shift + i));
        // Where a 軽's code keeps its fuel is not known: only a registered
        // car's last field is taken as the fuel code.
        if (!light)
            d.fuel = fuelName(field(fields, 18));
        result.recognised << QStringLiteral("コード3 (%1): %2  %3")
                                 .arg(kindText, d.model,
                                      expiry.isValid() ? expiry.toString(QStringLiteral("yyyy/MM/dd"))
                                                       : QStringLiteral("満了日なし"));
    }
    if (lineNumber == 0) {
        result.message = kNothing;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace kv::records
