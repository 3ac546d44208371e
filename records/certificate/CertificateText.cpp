#include "records/certificate/CertificateText.h"

#include "common/KVCommon.h"

namespace kv::records::CertificateText {

QString normalised(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

namespace {

// The common library's era numbers: 明治 0 to 令和 4.
int eraNumber(const QString& name)
{
    static const char* const eras[] = {"明治", "大正", "昭和", "平成", "令和"};
    for (int i = 0; i < 5; ++i) {
        if (name == QString::fromUtf8(eras[i]))
            return i;
    }
    return -1;
}

bool readPart(const QString& text, int* value)
{
    const QString part = normalised(text);
    if (part == QStringLiteral("元")) {
        *value = 1;
        return true;
    }
    bool ok = false;
    *value = part.toInt(&ok);
    return ok;
}

} // namespace

DateOutcome eraDate(const QString& era, const QString& year, const QString& month,
                    const QString& day, bool yearMonth, QDate* date)
{
    QString eraName = normalised(era);
    eraName.remove(QLatin1Char(' '));
    if (eraName.isEmpty() && normalised(year).isEmpty() && normalised(month).isEmpty()
        && normalised(day).isEmpty())
        return DateOutcome::Absent;
    int y = 0;
    int m = 0;
    int d = 1;
    if (!readPart(year, &y) || !readPart(month, &m) || (!yearMonth && !readPart(day, &d)))
        return DateOutcome::Invalid;
    int westernYear = 0;
    if (eraName.isEmpty() || eraName == QStringLiteral("西暦")) {
        // A western year without an era is taken as it stands.
        westernYear = y >= 1900 ? y : 0;
    } else {
        const int named = eraNumber(eraName);
        if (named < 0 || y < 1)
            return DateOutcome::Invalid;
        int era = named;
        westernYear = GengoToSeireki(y, m, d, &era);
        // 平成35 or 令和1年1月 name no day of that era.
        if (era != named)
            return DateOutcome::Invalid;
    }
    const QDate read(westernYear, m, d);
    if (westernYear < 1900 || !read.isValid())
        return DateOutcome::Invalid;
    *date = read;
    return DateOutcome::Date;
}

int fullYear(int twoDigitYear)
{
    return twoDigitYear < 51 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

} // namespace kv::records::CertificateText
