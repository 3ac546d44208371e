// The panel's field conversions and checks, value by value.

#include "records/BaseOfUse.h"
#include "records/Displacement.h"
#include "records/EraDateField.h"
#include "records/NumberRule.h"
#include "records/OwnerToUserCopy.h"
#include "records/PanelField.h"
#include "records/PanelMode.h"
#include "records/PanelRecordBinding.h"
#include "records/PanelValues.h"
#include "records/PostalCode.h"
#include "records/TypedDate.h"
#include "records/search/QueryFormValues.h"

#include "data/engine/DayNumber.h"
#include "data/tables/TableColumns.h"
#include "support/Utf8.h"

#include <QSet>

#include <QDate>

#include <gtest/gtest.h>

using namespace kv::records;
using kv::data::kEmptyDate;
using kv::data::toDayNumber;
using kv::test::u;

namespace {

double day(int y, int m, int d)
{
    return toDayNumber(QDate(y, m, d));
}

std::string show(const QString& text)
{
    return text.toStdString();
}

} // namespace

TEST(TypedDate, ReadsDigitsByPosition)
{
    struct Case {
        const char* text;
        TypedDate::State state;
        int year, month, day;
    };
    const Case cases[] = {
        {"", TypedDate::State::Empty, 0, 0, 0},
        {"//", TypedDate::State::Empty, 0, 0, 0},
        {"7", TypedDate::State::Parts, 7, 0, 0},
        {"57", TypedDate::State::Parts, 57, 0, 0},
        {"503", TypedDate::State::Parts, 5, 3, 0},
        {"5703", TypedDate::State::Parts, 57, 3, 0},
        {"57/03", TypedDate::State::Parts, 57, 3, 0},
        {"50315", TypedDate::State::Parts, 5, 3, 15},
        {"570315", TypedDate::State::Parts, 57, 3, 15},
        {"57/03/15", TypedDate::State::Parts, 57, 3, 15},
        {"1234", TypedDate::State::Invalid, 0, 0, 0},   // month 34
        {"12/3/4", TypedDate::State::Invalid, 0, 0, 0}, // the same digits
        {"571332", TypedDate::State::Invalid, 0, 0, 0},
        {"570132", TypedDate::State::Invalid, 0, 0, 0},
        {"5703150", TypedDate::State::Invalid, 0, 0, 0},
        {"57-03-15", TypedDate::State::Invalid, 0, 0, 0},
        {"５７", TypedDate::State::Invalid, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const TypedDate typed = TypedDate::parse(u(c.text));
        EXPECT_EQ(typed.state, c.state) << c.text;
        if (c.state == TypedDate::State::Parts) {
            EXPECT_EQ(typed.year, c.year) << c.text;
            EXPECT_EQ(typed.month, c.month) << c.text;
            EXPECT_EQ(typed.day, c.day) << c.text;
        }
    }
}

TEST(EraDateField, EraListsAndIndexes)
{
    EXPECT_EQ(EraDateField::birthday().eraEntries(),
              QStringList({"", u("明治"), u("大正"), u("昭和"), u("平成"), u("令和")}));
    EXPECT_EQ(EraDateField::registration().eraEntries(),
              QStringList({"", u("昭和"), u("平成"), u("令和")}));
    // Birthday: index = era + 1; vehicle dates: index = era - 1.
    for (int era = 0; era <= 4; ++era) {
        EXPECT_EQ(EraDateField::birthday().indexOfEra(era), era + 1);
        EXPECT_EQ(EraDateField::birthday().eraOfIndex(era + 1), era);
    }
    EXPECT_EQ(EraDateField::registration().indexOfEra(2), 1);
    EXPECT_EQ(EraDateField::registration().indexOfEra(4), 3);
    EXPECT_EQ(EraDateField::registration().indexOfEra(1), 0);
    EXPECT_EQ(EraDateField::registration().eraOfIndex(0), -1);
    EXPECT_EQ(EraDateField::registration().eraOfIndex(3), 4);
    EXPECT_EQ(EraDateField::registration().eraOfIndex(4), -1);
}

TEST(EraDateField, ShowsStoredDates)
{
    struct Case {
        const EraDateField& field;
        double stored;
        int eraIndex;
        const char* text;
    };
    const Case cases[] = {
        {EraDateField::birthday(), day(1982, 3, 15), 3, "57/03/15"},
        {EraDateField::birthday(), day(1912, 7, 30), 2, "01/07/30"},
        {EraDateField::birthday(), day(1912, 7, 29), 1, "45/07/29"},
        {EraDateField::birthday(), day(2019, 5, 1), 5, "01/05/01"},
        {EraDateField::birthday(), day(2019, 4, 30), 4, "31/04/30"},
        {EraDateField::registration(), day(1989, 1, 8), 2, "01/01/08"},
        {EraDateField::registration(), day(1989, 1, 7), 1, "64/01/07"},
        {EraDateField::firstRegistration(), day(2015, 4, 1), 2, "27/04"},
        {EraDateField::firstRegistration(), day(2023, 6, 1), 3, "05/06"},
        // A vehicle date of an era the list lacks keeps its text, era blank.
        {EraDateField::registration(), day(1920, 1, 1), 0, "09/01/01"},
        {EraDateField::birthday(), kEmptyDate, 0, ""},
        {EraDateField::birthday(), day(1, 1, 1) - 10, 0, ""},
        {EraDateField::birthday(), std::numeric_limits<double>::quiet_NaN(), 0, ""},
    };
    for (const Case& c : cases) {
        const ShownDate shown = c.field.show(c.stored);
        EXPECT_EQ(shown.eraIndex, c.eraIndex) << c.text;
        EXPECT_EQ(show(shown.text), c.text);
    }
}

TEST(EraDateField, ChecksOnLeaving)
{
    struct Case {
        const EraDateField& field;
        const char* typed;
        bool accepted;
        const char* text;
    };
    const Case cases[] = {
        {EraDateField::birthday(), "570315", true, "57/03/15"},
        {EraDateField::birthday(), "50315", true, "05/03/15"},
        {EraDateField::birthday(), "", true, ""},
        {EraDateField::birthday(), "5703", false, ""},   // no day
        {EraDateField::birthday(), "570300", false, ""},
        {EraDateField::birthday(), "000315", false, ""},
        {EraDateField::birthday(), "1234", false, ""},
        {EraDateField::birthday(), "57a315", false, ""},
        {EraDateField::firstRegistration(), "2704", true, "27/04"},
        {EraDateField::firstRegistration(), "27/4", false, ""}, // 274: year 2, month 74
        {EraDateField::firstRegistration(), "27", false, ""},
        {EraDateField::firstRegistration(), "2700", false, ""},
    };
    for (const Case& c : cases) {
        const FieldCheckResult result = c.field.checkOnLeave(u(c.typed));
        EXPECT_EQ(result.accepted, c.accepted) << c.typed;
        EXPECT_EQ(show(result.text), c.text) << c.typed;
        if (!c.accepted) {
            EXPECT_EQ(result.message, u("年月日が異常です！")) << c.typed;
        }
    }
}

TEST(EraDateField, ReadsForRecording)
{
    using O = DateReading::Outcome;
    struct Case {
        const EraDateField& field;
        int eraIndex;
        const char* text;
        O outcome;
        double stored;
        const char* message;
    };
    const Case cases[] = {
        {EraDateField::birthday(), 3, "57/03/15", O::Date, day(1982, 3, 15), ""},
        {EraDateField::birthday(), 0, "", O::Empty, kEmptyDate, ""},
        {EraDateField::birthday(), 3, "", O::NoText, 0, "日付を入力してください！"},
        {EraDateField::birthday(), 0, "57/03/15", O::NoEra, 0, "元号を指定して下さい！"},
        {EraDateField::birthday(), 3, "57/02/30", O::Invalid, 0,
         "日付が異常です！\n年月日をよく確認して下さい"},
        {EraDateField::registration(), 1, "57/02/30", O::Invalid, 0, "年月日が異常です！"},
        {EraDateField::registration(), 3, "05/01/10", O::Date, day(2023, 1, 10), ""},
        {EraDateField::firstRegistration(), 2, "27/04", O::Date, day(2015, 4, 1), ""},
        {EraDateField::birthday(), 1, "10/02/11", O::Date, day(1877, 2, 11), ""},
    };
    for (const Case& c : cases) {
        const DateReading reading = c.field.read(c.eraIndex, u(c.text));
        EXPECT_EQ(reading.outcome, c.outcome) << c.text;
        if (c.outcome == O::Date || c.outcome == O::Empty) {
            EXPECT_EQ(reading.dayNumber, c.stored) << c.text;
        }
        EXPECT_EQ(show(reading.message), c.message) << c.text;
    }
}

TEST(ExpiryDateField, EraComesFromTheYear)
{
    struct Case {
        const char* typed;
        bool accepted;
        double stored;
    };
    const Case cases[] = {
        {"300101", true, day(2018, 1, 1)},  // 平成30
        {"050101", true, day(2023, 1, 1)},  // 令和5
        {"210401", true, day(2009, 4, 1)},  // 平成21, the first 平成 year
        {"310430", true, day(2019, 4, 30)}, // 平成31
        {"200101", true, day(2038, 1, 1)},  // 令和20
        {"320101", true, day(2050, 1, 1)},  // 令和32
        {"310230", false, 0},               // no 30 February
        {"050229", false, 0},               // 2023 is no leap year
        {"060229", true, day(2024, 2, 29)},
        {"0501", false, 0},
        {"", true, kEmptyDate},
    };
    for (const Case& c : cases) {
        const FieldCheckResult check = ExpiryDateField::checkOnLeave(u(c.typed));
        EXPECT_EQ(check.accepted, c.accepted) << c.typed;
        const DateReading reading = ExpiryDateField::read(u(c.typed));
        if (c.accepted) {
            EXPECT_EQ(reading.dayNumber, c.stored) << c.typed;
        } else {
            EXPECT_EQ(check.message, u("年月日が異常です！"));
            EXPECT_EQ(check.text, QString());
            EXPECT_EQ(reading.outcome, DateReading::Outcome::Invalid) << c.typed;
        }
    }
    EXPECT_EQ(show(ExpiryDateField::checkOnLeave(u("30/1/01")).text), "03/01/01");
    EXPECT_EQ(show(ExpiryDateField::show(day(2018, 1, 1))), "30/01/01");
    EXPECT_EQ(show(ExpiryDateField::show(day(2008, 6, 1))), "20/06/01"); // 平成20: its own year
    EXPECT_EQ(show(ExpiryDateField::show(kEmptyDate)), "");
}

TEST(PostalCode, ShownAndRead)
{
    struct Case {
        const char* typed;
        bool valid;
        int stored;
        const char* shown;
    };
    const Case cases[] = {
        {"1234567", true, 1234567, "123-4567"},
        {"123-4567", true, 1234567, "123-4567"},
        {"0010001", true, 10001, "001-0001"},
        {"", true, 0, ""},
        {"12-34567", false, 0, ""},
        {"1234-567", false, 0, ""},
        {"123-45-67", false, 0, ""},
        {"12345678", false, 0, ""},
        {"123 4567", false, 0, ""},
        {"-", false, 0, ""},
    };
    for (const Case& c : cases) {
        int stored = -1;
        EXPECT_EQ(PostalCode::read(u(c.typed), &stored), c.valid) << c.typed;
        const FieldCheckResult check = PostalCode::checkOnLeave(u(c.typed));
        EXPECT_EQ(check.accepted, c.valid) << c.typed;
        if (c.valid) {
            EXPECT_EQ(stored, c.stored) << c.typed;
            EXPECT_EQ(show(check.text), c.shown) << c.typed;
        } else {
            EXPECT_EQ(check.message, u("郵便番号が異常です！"));
            EXPECT_TRUE(check.text.isEmpty());
        }
    }
}

TEST(Displacement, HundredthsOfALitre)
{
    struct Case {
        const char* typed;
        bool valid;
        int stored;
        const char* shown;
    };
    const Case cases[] = {
        {"1.5", true, 150, "1.50"},     {"1.15", true, 115, "1.15"},
        {"0.57", true, 57, "0.57"},     {"2.999", true, 299, "2.99"}, // rounded down
        {"999.99", true, 99999, "999.99"}, {"", true, 0, "0.00"},
        {"0", true, 0, "0.00"},         {"1000", false, 0, "0.00"},
        {"-1", false, 0, "0.00"},       {"abc", false, 0, "0.00"},
    };
    for (const Case& c : cases) {
        int stored = -1;
        EXPECT_EQ(Displacement::read(u(c.typed), &stored), c.valid) << c.typed;
        const FieldCheckResult check = Displacement::checkOnLeave(u(c.typed));
        EXPECT_EQ(check.accepted, c.valid) << c.typed;
        EXPECT_EQ(show(check.text), c.shown) << c.typed;
        if (c.valid) {
            EXPECT_EQ(stored, c.stored) << c.typed;
        } else {
            EXPECT_EQ(check.message, u("0から999.99迄の整数を入力してくだい！"));
        }
    }
}

TEST(NumberRule, RangesStylesAndResets)
{
    struct Case {
        const NumberRule& rule;
        const char* typed;
        bool accepted;
        const char* text; // canonical or reset
    };
    const Case cases[] = {
        {NumberRule::amount(), "1234567", true, "1,234,567"},
        {NumberRule::amount(), "9,999,999", true, "9,999,999"},
        {NumberRule::amount(), "10000000", false, "0"},
        {NumberRule::amount(), "", true, "0"},
        {NumberRule::weight(), "999999", true, "999,999"},
        {NumberRule::weight(), "1000000", false, "0"},
        {NumberRule::weight(), "-1", false, "0"},
        {NumberRule::length(), "4,695", true, "4,695"},
        {NumberRule::length(), "100000", false, "0"},
        {NumberRule::typeDesignation(), "123", true, "00123"},
        {NumberRule::typeDesignation(), "0", true, ""},
        {NumberRule::typeDesignation(), "100000", false, ""},
        {NumberRule::classification(), "12", true, "0012"},
        {NumberRule::classification(), "10000", false, ""},
        {NumberRule::plateNumber(), "0042", true, "42"},
        {NumberRule::plateNumber(), "0", true, ""},
        {NumberRule::plateNumber(), "1,234", false, ""},
        {NumberRule::classNumber(), "500", true, "500"},
        {NumberRule::classNumber(), "1000", false, ""},
        {NumberRule::capacity(), "5", true, "5"},
        {NumberRule::capacity(), "1000", false, "0"},
        {NumberRule::validYears(), "2", true, "2"},
        {NumberRule::validYears(), "10", false, "0"},
        {NumberRule::closingDay(), "31", true, "31"},
        {NumberRule::closingDay(), "32", false, "0"},
        {NumberRule::referrerCode(), "999999", true, "999999"},
        {NumberRule::referrerCode(), "1000000", false, "0"},
    };
    for (const Case& c : cases) {
        const FieldCheckResult result = c.rule.check(u(c.typed));
        EXPECT_EQ(result.accepted, c.accepted) << c.typed;
        EXPECT_EQ(show(result.text), c.text) << c.typed;
        if (!c.accepted) {
            EXPECT_EQ(result.message, QString::fromUtf8(c.rule.message)) << c.typed;
        }
    }
    EXPECT_EQ(NumberRule::amount().message, std::string("0から9,999,999迄の整数を入力してくだい！"));
}

TEST(BaseOfUse, MarkerStandsForTheUserAddress)
{
    using L = BaseOfUse::Lines;
    const QString m = BaseOfUse::marker();
    const L address{u("東京都港区1-1"), u("ビル3F")};
    const L elsewhere{u("埼玉県川口市2-2"), u("")};

    EXPECT_EQ(BaseOfUse::show({}, address), L{});
    EXPECT_EQ(BaseOfUse::show(address, address), (L{m, ""}));
    EXPECT_EQ(BaseOfUse::show(elsewhere, address), elsewhere);
    EXPECT_EQ(BaseOfUse::show({address.first, ""}, address), (L{address.first, ""}));

    EXPECT_EQ(BaseOfUse::enterFirst({m, ""}, address), (L{address.first, ""}));
    EXPECT_EQ(BaseOfUse::enterSecond({m, ""}, address), (L{m, address.second}));
    EXPECT_EQ(BaseOfUse::enterSecond({m, u("x")}, address), (L{m, u("x")}));

    EXPECT_EQ(BaseOfUse::leaveFirst({address.first, ""}, address), (L{m, ""}));
    EXPECT_EQ(BaseOfUse::leaveFirst(elsewhere, address), elsewhere);
    EXPECT_EQ(BaseOfUse::leaveFirst({}, {}), L{});

    EXPECT_EQ(BaseOfUse::leaveSecond({m, address.second}, address), (L{m, ""}));
    EXPECT_EQ(BaseOfUse::leaveSecond({m, u("別棟")}, address), (L{address.first, u("別棟")}));
    EXPECT_EQ(BaseOfUse::leaveSecond(address, address), (L{m, ""}));
    EXPECT_EQ(BaseOfUse::leaveSecond(elsewhere, address), elsewhere);

    EXPECT_EQ(BaseOfUse::forRecording({m, ""}, address), address);
    EXPECT_EQ(BaseOfUse::forRecording({address.first, ""}, address), address);
    EXPECT_EQ(BaseOfUse::forRecording({m, u("別棟")}, address), (L{address.first, u("別棟")}));
    EXPECT_EQ(BaseOfUse::forRecording(elsewhere, address), elsewhere);
    // An empty base is no copy of an address whose first line is empty.
    EXPECT_EQ(BaseOfUse::forRecording({}, {"", u("2F")}), L{});
}

TEST(OwnerToUserCopy, FillsOnlyEmptyLines)
{
    EXPECT_EQ(OwnerToUserCopy::userLine(u("山田"), ""), u("山田"));
    EXPECT_EQ(OwnerToUserCopy::userLine(u("山田"), u("田中")), u("田中"));
    EXPECT_EQ(OwnerToUserCopy::userLine("", ""), QString());
    EXPECT_EQ(OwnerToUserCopy::baseOfUseFirstLine(u("東京都"), ""), BaseOfUse::marker());
    EXPECT_EQ(OwnerToUserCopy::baseOfUseFirstLine(u("東京都"), u("大阪府")), u("大阪府"));
    EXPECT_EQ(OwnerToUserCopy::baseOfUseFirstLine("", ""), QString());
}

TEST(PanelMode, Texts)
{
    EXPECT_EQ(PanelMode::text(0), QString());
    EXPECT_EQ(PanelMode::text(1), u("顧客ｺｰﾄﾞ順"));
    EXPECT_EQ(PanelMode::text(2), u("顧客ﾌﾘｶﾞﾅ順"));
    EXPECT_EQ(PanelMode::text(3), u("車輌ｺｰﾄﾞ順"));
    EXPECT_EQ(PanelMode::text(4), u("ﾌﾟﾚｰﾄNO順"));
    EXPECT_FALSE(PanelMode::changesText(100));
    EXPECT_FALSE(PanelMode::changesText(101));
    EXPECT_TRUE(PanelMode::changesText(0));
}

namespace {

using F = PanelField;
using kv::records::search::QueryFormValues;

template <class Entry>
const Entry* entryOf(const std::vector<Entry>& entries, const char* column)
{
    for (const Entry& entry : entries) {
        if (entry.column == QLatin1StringView(column))
            return &entry;
    }
    return nullptr;
}

} // namespace

TEST(PanelField, ColumnsBelongToTheirHalfsTable)
{
#define KV_NAME(column, type) QStringLiteral(#column),
    const QSet<QString> customerColumns{KV_COLUMNS_Kok(KV_NAME)};
    const QSet<QString> vehicleColumns{KV_COLUMNS_Car(KV_NAME)};
#undef KV_NAME
    QSet<QString> seen;
    for (int i = 0; i < kPanelFieldCount; ++i) {
        const F field = F(i);
        const QString column = columnOf(field);
        if (column.isEmpty())
            continue;
        EXPECT_TRUE((isCustomerField(field) ? customerColumns : vehicleColumns).contains(column))
            << show(column);
        EXPECT_FALSE(seen.contains(column)) << show(column);
        seen.insert(column);
        EXPECT_EQ(fieldOfColumn(column), field) << show(column);
    }
    EXPECT_EQ(fieldOfColumn(u("NoSuchColumn")), std::nullopt);
    EXPECT_EQ(fieldOfColumn(QString()), std::nullopt);
}

TEST(QueryForm, FieldsAreReadAsForRecording)
{
    PanelValues values;
    PanelRecordBinding::clearVehicle(values);
    values.clearCustomer();
    values.setText(F::Post, u("105-0001"));
    values.setText(F::Furi, u("ｶﾄｳ*"));
    values.setText(F::UseBase1, u("＊＊＊"));
    values.setText(F::Burth, u("57/03/15"));
    values.setIndex(F::BurthEra, 3); // 昭和
    values.setText(F::Haikiryo, u("1.5"));
    values.setText(F::Syaman, u("09/03/15"));

    QueryFormValues customer;
    QueryFormValues vehicle;
    ASSERT_TRUE(PanelRecordBinding::readCustomerQuery(values, customer).ok);
    ASSERT_TRUE(PanelRecordBinding::readVehicleQuery(values, vehicle).ok);
    ASSERT_NE(entryOf(customer.numbers(), "Post"), nullptr);
    EXPECT_EQ(entryOf(customer.numbers(), "Post")->value, 1050001);
    // An empty code and the untouched lists are no condition.
    EXPECT_EQ(entryOf(customer.numbers(), "KokCode"), nullptr);
    EXPECT_EQ(entryOf(customer.numbers(), "Sama"), nullptr);
    EXPECT_EQ(entryOf(customer.texts(), "Furi")->value, u("ｶﾄｳ*"));
    // The marker is searched as typed, not as the address it stands for.
    EXPECT_EQ(entryOf(customer.texts(), "UseBase1")->value, u("＊＊＊"));
    EXPECT_EQ(entryOf(customer.dates(), "Burth")->value, QDate(1982, 3, 15));
    EXPECT_EQ(entryOf(customer.numbers(), "Hoyu"), nullptr);
    EXPECT_EQ(entryOf(vehicle.numbers(), "Haikiryo")->value, 150);
    EXPECT_EQ(entryOf(vehicle.dates(), "Syaman")->value, QDate(2027, 3, 15));
    EXPECT_EQ(entryOf(vehicle.dates(), "Homan"), nullptr);

    // A code that is no whole number from 0 names the range of codes.
    values.setText(F::KokCode, u("abc"));
    WriteBackResult refused = PanelRecordBinding::readCustomerQuery(values, customer);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.field, F::KokCode);
    EXPECT_EQ(refused.message, u("顧客コードには１から９９９９９９迄の整数を入力してくだい！"));
    values.setText(F::CarCode, u("1000000"));
    refused = PanelRecordBinding::readVehicleQuery(values, vehicle);
    EXPECT_EQ(refused.field, F::CarCode);
    EXPECT_EQ(refused.message, u("車輌コードには1から999999迄の整数を入力してくだい！"));
    // Other fields keep their own messages.
    values.setText(F::CarCode, u("12"));
    values.setText(F::Haikiryo, u("x"));
    refused = PanelRecordBinding::readVehicleQuery(values, vehicle);
    EXPECT_EQ(refused.field, F::Haikiryo);
    EXPECT_NE(refused.message, u("車輌コードには1から999999迄の整数を入力してくだい！"));
}
