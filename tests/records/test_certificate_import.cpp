// Reading inspection certificates (the reader application's JSON file and
// the paper certificate's codes) into the panel's fields, read back through
// the panel's own write-back as a recording would.

#include "records/PanelRecordBinding.h"
#include "records/certificate/CertificateCodes.h"
#include "records/certificate/CertificateFile.h"
#include "records/certificate/CertificateMapping.h"

#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"
#include "support/TestPaths.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace kv::records;
using F = PanelField;
using kv::test::u;

namespace {

CertificateLists defaultLists()
{
    using kv::data::DefaultSettings;
    return {DefaultSettings::vehicleClasses().entries(), DefaultSettings::vehicleUses().entries(),
            DefaultSettings::bodyShapes().entries(), DefaultSettings::makes().entries(),
            DefaultSettings::fuels().entries()};
}

CertificateData sample(const char* name)
{
    const auto result = CertificateFile::read(kv::test::sourceDir()
                                              + QStringLiteral("/tests/records/certificate/")
                                              + QLatin1String(name));
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.warning.isEmpty());
    return result.data;
}

PanelValues emptyPanel()
{
    PanelValues values;
    PanelRecordBinding::clearVehicle(values);
    return values;
}

// The applicable changes made as the panel makes them, then written back.
struct Filled {
    std::vector<CertificateChange> changes;
    PanelValues values;
    kv::data::KokRow customer;
    kv::data::CarRow vehicle;

    const CertificateChange* change(F field) const
    {
        for (const CertificateChange& c : changes)
            if (c.field == field)
                return &c;
        return nullptr;
    }
};

Filled fill(const CertificateData& data, PanelValues values = emptyPanel())
{
    Filled filled;
    filled.changes =
        CertificateMapping::changes(data, values, defaultLists(), {.customer = true, .vehicle = true});
    for (const CertificateChange& c : filled.changes) {
        if (!c.applicable)
            continue;
        if (c.eraField != F::Count) {
            values.setIndex(c.eraField, c.index);
            values.setText(c.field, c.text);
        } else if (c.index >= 0) {
            values.setIndex(c.field, c.index);
        } else {
            values.setText(c.field, c.text);
        }
    }
    filled.values = values;
    const WriteBackResult car = PanelRecordBinding::writeVehicle(values, 1, filled.vehicle);
    EXPECT_TRUE(car.ok) << car.message.toStdString() << " field " << int(car.field);
    const WriteBackResult kok = PanelRecordBinding::writeCustomer(values, filled.customer);
    EXPECT_TRUE(kok.ok) << kok.message.toStdString() << " field " << int(kok.field);
    return filled;
}

double day(int y, int m, int d)
{
    return kv::data::toDayNumber(QDate(y, m, d));
}

} // namespace

TEST(CertificateFile, RegisteredCarWithFullWidthValuesFillsEveryField)
{
    const Filled f = fill(sample("registered.json"));
    const kv::data::CarRow& car = f.vehicle;
    EXPECT_EQ(car.m_Rikuji, u("品川"));
    EXPECT_EQ(car.m_Rno, 300);
    EXPECT_EQ(car.m_Kana, u("ま"));
    EXPECT_EQ(car.m_Preno, 2051);
    EXPECT_EQ(car.m_Syatai, u("XYZ12-3456789"));
    EXPECT_EQ(car.m_Katasiki, u("ABC-XY123"));
    EXPECT_EQ(car.m_Gendoki, u("1AB"));
    EXPECT_EQ(car.m_Syamei, 1); // トヨタ
    EXPECT_EQ(car.m_Tounen, day(2023, 4, 1)); // "令　和", " 5"
    EXPECT_EQ(car.m_Syonen, day(2018, 6, 1));
    EXPECT_EQ(car.m_Syaman, day(2025, 4, 30));
    EXPECT_EQ(car.m_Syubetu, 1);
    EXPECT_EQ(car.m_Youto, 1);
    EXPECT_EQ(car.m_Jiei, 1);
    EXPECT_EQ(car.m_Keijyo, 2);
    EXPECT_EQ(car.m_Teiin, 5);
    EXPECT_EQ(car.m_Jyuryo, 1230);
    EXPECT_EQ(car.m_SouJyuryo, 1505);
    EXPECT_EQ(car.m_Nagasa, 445);
    EXPECT_EQ(car.m_Haba, 175);
    EXPECT_EQ(car.m_Takasa, 145);
    EXPECT_EQ(car.m_ZenZen, 710);
    EXPECT_EQ(car.m_KouZen, 520);
    EXPECT_EQ(car.m_Haikiryo, 198);
    EXPECT_EQ(car.m_Nenryo, 1);
    EXPECT_EQ(car.m_Kata, 12345);
    EXPECT_EQ(car.m_Rui, 6);
    EXPECT_EQ(f.values.text(F::Rui), u("0006"));
    // The user and the base of use are the owner's ("＊＊＊").
    EXPECT_EQ(f.customer.m_OwnerName1, u("試験 一郎"));
    EXPECT_EQ(f.customer.m_OwnerJyu1, u("東京都品川区試験町1-2-3"));
    EXPECT_EQ(f.customer.m_UserName1, u("試験 一郎"));
    EXPECT_EQ(f.customer.m_UserJyu1, u("東京都品川区試験町1-2-3"));
    EXPECT_EQ(f.customer.m_UseBase1, u("東京都品川区試験町1-2-3"));
    for (const CertificateChange& c : f.changes)
        EXPECT_TRUE(c.applicable && c.note.isEmpty()) << c.caption.toStdString();
}

TEST(CertificateFile, LightCarWithGannenDatesAndBracketedFigures)
{
    const Filled f = fill(sample("light.json"));
    const kv::data::CarRow& car = f.vehicle;
    EXPECT_EQ(car.m_Rikuji, u("練馬"));
    EXPECT_EQ(car.m_Rno, 480);
    EXPECT_EQ(car.m_Kana, u("え"));
    EXPECT_EQ(car.m_Preno, 12); // "・・１２"
    EXPECT_EQ(car.m_Tounen, day(2019, 7, 1));     // 令和元年
    EXPECT_EQ(car.m_Syonen, day(1989, 5, 1));     // "平　成", " 元"
    EXPECT_EQ(car.m_Syaman, kv::data::kEmptyDate); // no expiry in the file
    EXPECT_EQ(f.change(F::Syaman), nullptr);
    EXPECT_EQ(car.m_Syubetu, 3); // 軽自動車
    EXPECT_EQ(car.m_Youto, 2);
    EXPECT_EQ(car.m_Jiei, 2);
    EXPECT_EQ(car.m_Keijyo, 6);
    EXPECT_EQ(car.m_Syamei, 7);
    EXPECT_EQ(car.m_Teiin, 2);
    EXPECT_EQ(car.m_Teiin2, 4);
    EXPECT_EQ(car.m_Sekisai, 350);
    EXPECT_EQ(car.m_Sekisai2, 250);
    EXPECT_EQ(car.m_Jyuryo, 890);
    EXPECT_EQ(car.m_SouJyuryo, 1350);
    EXPECT_EQ(car.m_SouJyuryo2, 1290);
    EXPECT_EQ(car.m_Haikiryo, 66);
    EXPECT_EQ(car.m_Kata, 0);
    // Long names and addresses go on over the second line.
    EXPECT_EQ(f.customer.m_OwnerName1, u("株式会社試験運送サー"));
    EXPECT_EQ(f.customer.m_OwnerName2, u("ビスセンター"));
    EXPECT_EQ(f.customer.m_OwnerJyu1, u("埼玉県さいたま市試験区試験町一"));
    EXPECT_EQ(f.customer.m_OwnerJyu2, u("丁目23番地45試験ビル201号"));
    EXPECT_EQ(f.customer.m_UserName1, u("試験 花子"));
    EXPECT_EQ(f.customer.m_UseBase1, u("埼玉県川口市見本町9-8"));
}

TEST(CertificateMapping, ListsCutsAndUnchangedFields)
{
    CertificateData data;
    data.model = u("ABCDEFGHIJKLMNOPQRSTUV"); // 22 bytes
    data.ownerName = QString(12, QChar(0x8A66)) + QString(12, QChar(0x9A13)); // 48 bytes
    data.shape = u("水陸両用");
    data.chassis = u("A-1");
    PanelValues current = emptyPanel();
    current.setText(F::Syatai, u("A-1"));
    const Filled f = fill(data, current);
    // The same chassis number is no change.
    EXPECT_EQ(f.change(F::Syatai), nullptr);
    ASSERT_NE(f.change(F::Katasiki), nullptr);
    EXPECT_EQ(f.vehicle.m_Katasiki, u("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_FALSE(f.change(F::Katasiki)->note.isEmpty());
    // Two lines of 20 bytes hold 20 of the 24 characters, cut whole.
    EXPECT_EQ(f.customer.m_OwnerName1, QString(10, QChar(0x8A66)));
    EXPECT_EQ(f.customer.m_OwnerName2, QString(2, QChar(0x8A66)) + QString(8, QChar(0x9A13)));
    EXPECT_FALSE(f.change(F::OwnerName2)->note.isEmpty());
    // A name the list lacks leaves the field and says so.
    ASSERT_NE(f.change(F::Keijyo), nullptr);
    EXPECT_FALSE(f.change(F::Keijyo)->applicable);
    EXPECT_TRUE(f.change(F::Keijyo)->note.contains(u("水陸両用")));
    EXPECT_EQ(f.vehicle.m_Keijyo, 0);
}

TEST(CertificateFile, BadFilesAreRefusedOrWarned)
{
    EXPECT_FALSE(CertificateFile::parse("not json").ok);
    EXPECT_FALSE(CertificateFile::parse(R"({"CertInfoImportFileVersion":"1.0"})").ok);
    EXPECT_FALSE(CertificateFile::parse(QByteArray(CertificateFile::kMaxBytes + 1, ' ')).ok);

    // An unknown version warns and reads what it can, a byte order mark first.
    const auto other = CertificateFile::parse(
        "\xEF\xBB\xBF" R"({"CertInfoImportFileVersion":"2.0","CertInfo":{"CarNo":"A-9"}})");
    ASSERT_TRUE(other.ok);
    EXPECT_TRUE(other.warning.contains(QStringLiteral("2.0")));
    EXPECT_EQ(other.data.chassis, QStringLiteral("A-9"));

    // Impossible dates are named and fill nothing.
    const auto dates = CertificateFile::parse(QStringLiteral(
        R"({"CertInfoImportFileVersion":"1.0","CertInfo":{
        "ReggrantdateE":"令和","ReggrantdateY":" 5","ReggrantdateM":" 2","ReggrantdateD":"30",
        "ValidPeriodExpirdateE":"平成","ValidPeriodExpirdateY":"35","ValidPeriodExpirdateM":" 1","ValidPeriodExpirdateD":" 1",
        "FirstregistdateE":"大化","FirstregistdateY":" 1","FirstregistdateM":" 1"}})").toUtf8());
    ASSERT_TRUE(dates.ok);
    EXPECT_EQ(dates.data.unreadable,
              QStringList({u("登録年月日"), u("初度登録年月"), u("車検満了日")}));
    const Filled f = fill(dates.data);
    EXPECT_EQ(f.vehicle.m_Tounen, kv::data::kEmptyDate);
    EXPECT_EQ(f.vehicle.m_Syaman, kv::data::kEmptyDate);
}

TEST(CertificateCodes, RegisteredCarCodesInEitherOrder)
{
    const QString code2 = u("2/品川　３００　ま　２０５１/11/XYZ12-3456789/1AB/1");
    const QString code3 =
        u("2/001/123450006/250430/1806/ABC-XY123/71/-/52/-/1/76/2/0/1/0.08/0.005/150101/01");
    const auto result = CertificateCodes::read(code3 + u("\r") + code2 + u("\r"));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.recognised.size(), 2);
    const Filled f = fill(result.data);
    EXPECT_EQ(f.vehicle.m_Rikuji, u("品川"));
    EXPECT_EQ(f.vehicle.m_Preno, 2051);
    EXPECT_EQ(f.vehicle.m_Syatai, u("XYZ12-3456789"));
    EXPECT_EQ(f.vehicle.m_Gendoki, u("1AB"));
    EXPECT_EQ(f.vehicle.m_Kata, 12345);
    EXPECT_EQ(f.vehicle.m_Rui, 6);
    EXPECT_EQ(f.vehicle.m_Syaman, day(2025, 4, 30));
    EXPECT_EQ(f.vehicle.m_Syonen, day(2018, 6, 1));
    EXPECT_EQ(f.vehicle.m_ZenZen, 710);
    EXPECT_EQ(f.vehicle.m_ZenKou, 0);
    EXPECT_EQ(f.vehicle.m_Nenryo, 1);
}

TEST(CertificateCodes, LightCarCodes)
{
    const QString code2 = u("K/31/練馬　４８０　え　　１２/11/DA16T-123456/R06A/1");
    const QString code3 = u("K/31/002/*000000000/261130/0105/EBD-DA16T/50/-/40/-/1/82/2/0/1/-/-/-");
    const auto result = CertificateCodes::read(code2 + u("\n") + code3);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    const Filled f = fill(result.data);
    EXPECT_EQ(f.vehicle.m_Rno, 480);
    EXPECT_EQ(f.vehicle.m_Preno, 12);
    EXPECT_EQ(f.vehicle.m_Syatai, u("DA16T-123456"));
    EXPECT_EQ(f.vehicle.m_Syaman, day(2026, 11, 30));
    EXPECT_EQ(f.vehicle.m_Syonen, day(2001, 5, 1));
    EXPECT_EQ(f.vehicle.m_ZenZen, 500);
    EXPECT_EQ(f.vehicle.m_Nenryo, 0);
}

TEST(CertificateCodes, WrongCountsAndGarbledCodesSayWhichCode)
{
    // A registered car's code 2 with a field missing.
    auto result = CertificateCodes::read(u("2/品川 300 ま 2051/11/XYZ12-3456789/1AB"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(u("1行目"))) << result.message.toStdString();
    // A 軽's code 2 has seven fields: six are refused.
    result = CertificateCodes::read(u("2/品川 300 ま 2051/11/A/B/1\nK/31/練馬 480 え 12/11/A/B"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(u("2行目"))) << result.message.toStdString();
    result = CertificateCodes::read(u("X/1/2/3/4/5"));
    EXPECT_FALSE(result.ok);
    // An expiry that is no date.
    result = CertificateCodes::read(
        u("2/001/123450006/251340/1806/ABC/71/-/52/-/1/76/2/0/1/0/0/150101/01"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(u("コード3"))) << result.message.toStdString();
    EXPECT_FALSE(CertificateCodes::read(u("\r\n")).ok);
}
