#include "records/EraDateField.h"

#include "records/TypedDate.h"

#include "common/KVCommon.h"
#include "data/engine/DayNumber.h"

#include <QDate>

namespace kv::records {
namespace {

constexpr int kHeisei = 3;
constexpr int kReiwa = 4;

const char* const kEraNames[] = {"明治", "大正", "昭和", "平成", "令和"};

// The first era of each list; the list holds it and every later era.
int firstEraOf(EraDateField::Eras eras)
{
    return eras == EraDateField::Eras::Birthday ? 0 : 2;
}

// Era number and era year of a stored date; false for the empty date and
// for anything that cannot be shown as YY/MM/DD.
bool eraPartsOf(double dayNumber, int* era, int* eraYear, QDate* date)
{
    const QDateTime dateTime = data::fromDayNumber(dayNumber);
    if (!dateTime.isValid())
        return false;
    *date = dateTime.date();
    if (date->year() < 1 || date->month() < 1 || date->day() < 1)
        return false;
    QString label;
    *eraYear = SeirekiToGengo(date->year(), date->month(), date->day(), era, label);
    return *eraYear >= 1 && *eraYear <= 99;
}

// The Gregorian date of an era date, invalid when there is none.
QDate gregorianOf(int era, const TypedDate& typed, bool yearMonthOnly)
{
    int eraInOut = era;
    const int year = GengoToSeireki(typed.year, typed.month, yearMonthOnly ? 1 : typed.day,
                                    &eraInOut);
    if (year < 1)
        return {};
    return QDate(year, typed.month, yearMonthOnly ? 1 : typed.day);
}

} // namespace

EraDateField::EraDateField(Eras eras, Precision precision) : m_eras(eras), m_precision(precision)
{
}

const EraDateField& EraDateField::birthday()
{
    static const EraDateField field(Eras::Birthday, Precision::Day);
    return field;
}

const EraDateField& EraDateField::registration()
{
    static const EraDateField field(Eras::Vehicle, Precision::Day);
    return field;
}

const EraDateField& EraDateField::firstRegistration()
{
    static const EraDateField field(Eras::Vehicle, Precision::YearMonth);
    return field;
}

QString EraDateField::invalidDateMessage()
{
    return QStringLiteral("年月日が異常です！");
}

QStringList EraDateField::eraEntries() const
{
    QStringList entries{QString()};
    for (int era = firstEraOf(m_eras); era <= kReiwa; ++era)
        entries << QString::fromUtf8(kEraNames[era]);
    return entries;
}

int EraDateField::indexOfEra(int era) const
{
    const int first = firstEraOf(m_eras);
    if (era < first || era > kReiwa)
        return 0;
    return era - first + 1;
}

int EraDateField::eraOfIndex(int index) const
{
    const int era = firstEraOf(m_eras) + index - 1;
    if (index < 1 || era > kReiwa)
        return -1;
    return era;
}

ShownDate EraDateField::show(double dayNumber) const
{
    int era = 0;
    int eraYear = 0;
    QDate date;
    if (!eraPartsOf(dayNumber, &era, &eraYear, &date))
        return {};
    ShownDate shown;
    shown.eraIndex = indexOfEra(era);
    shown.text = yearMonthOnly() ? QString::asprintf("%02d/%02d", eraYear, date.month())
                                 : QString::asprintf("%02d/%02d/%02d", eraYear, date.month(),
                                                     date.day());
    return shown;
}

FieldCheckResult EraDateField::checkOnLeave(const QString& text) const
{
    const TypedDate typed = TypedDate::parse(text);
    if (typed.isEmpty())
        return FieldCheckResult::accept(QString());
    if (!typed.isComplete(yearMonthOnly()))
        return FieldCheckResult::refuse(invalidDateMessage(), QString());
    return FieldCheckResult::accept(typed.canonical(yearMonthOnly()));
}

DateReading EraDateField::read(int eraIndex, const QString& text) const
{
    DateReading reading;
    const int era = eraOfIndex(eraIndex);
    const TypedDate typed = TypedDate::parse(text);
    if (era < 0 && typed.isEmpty()) {
        reading.dayNumber = data::kEmptyDate;
        return reading;
    }
    if (typed.isEmpty()) {
        reading.outcome = DateReading::Outcome::NoText;
        reading.message = QStringLiteral("日付を入力してください！");
        return reading;
    }
    if (era < 0) {
        reading.outcome = DateReading::Outcome::NoEra;
        reading.message = QStringLiteral("元号を指定して下さい！");
        return reading;
    }
    const QDate date = typed.isInvalid() || typed.year == 0 ? QDate()
                                                            : gregorianOf(era, typed, yearMonthOnly());
    if (!date.isValid()) {
        reading.outcome = DateReading::Outcome::Invalid;
        reading.message = m_eras == Eras::Birthday
            ? QStringLiteral("日付が異常です！\n年月日をよく確認して下さい")
            : invalidDateMessage();
        return reading;
    }
    reading.outcome = DateReading::Outcome::Date;
    reading.dayNumber = data::toDayNumber(date);
    return reading;
}

int ExpiryDateField::eraOfYear(int eraYear)
{
    return eraYear >= 21 && eraYear <= 31 ? kHeisei : kReiwa;
}

QString ExpiryDateField::show(double dayNumber)
{
    int era = 0;
    int eraYear = 0;
    QDate date;
    if (!eraPartsOf(dayNumber, &era, &eraYear, &date))
        return {};
    return QString::asprintf("%02d/%02d/%02d", eraYear, date.month(), date.day());
}

FieldCheckResult ExpiryDateField::checkOnLeave(const QString& text)
{
    const DateReading reading = read(text);
    if (reading.outcome == DateReading::Outcome::Empty)
        return FieldCheckResult::accept(QString());
    if (reading.outcome != DateReading::Outcome::Date)
        return FieldCheckResult::refuse(EraDateField::invalidDateMessage(), QString());
    return FieldCheckResult::accept(TypedDate::parse(text).canonical(false));
}

DateReading ExpiryDateField::read(const QString& text)
{
    DateReading reading;
    const TypedDate typed = TypedDate::parse(text);
    if (typed.isEmpty()) {
        reading.dayNumber = data::kEmptyDate;
        return reading;
    }
    const QDate date = typed.isComplete(false)
        ? gregorianOf(eraOfYear(typed.year), typed, false)
        : QDate();
    if (!date.isValid()) {
        reading.outcome = DateReading::Outcome::Invalid;
        reading.message = EraDateField::invalidDateMessage();
        return reading;
    }
    reading.outcome = DateReading::Outcome::Date;
    reading.dayNumber = data::toDayNumber(date);
    return reading;
}

} // namespace kv::records
