// The vehicle list dialogs driven through their fields and buttons: the
// vehicles past their inspection to PDF, those whose insurance expires to
// CSV, each refusing a wrong month with its own message.

#include "ListDialogFixture.h"
#include "controls/CEditEx.h"
#include "data/engine/DayNumber.h"
#include "reports/ui/CDPrintHoman.h"
#include "reports/ui/CDPrintMinyuuko.h"
#include "reports/ui/ReportFields.h"
#include "support/VehicleBuilder.h"

using namespace kv::reports;
using namespace kv::test;

namespace {

class VehicleListDialogs : public ListDialogs {
protected:
    void vehicle(int code, int owner, const QString& name, VehicleBuilder built)
    {
        CustomerBuilder(owner).name(name).insertInto(doc->store());
        built.owner(owner).chassis(QStringLiteral("C-%1").arg(code)).insertInto(doc->store());
    }
};

// The vehicle codes of a CSV file, in its order (the sixth column).
std::vector<QString> vehicleCodes(const std::vector<QStringList>& rows)
{
    std::vector<QString> codes;
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].size() > 5)
            codes.push_back(rows[i][5]);
    }
    return codes;
}

} // namespace

TEST_F(VehicleListDialogs, OverdueInspectionsBeforeTheBaseMonthToPdf)
{
    vehicle(11, 1, u("青木商店"), VehicleBuilder(11).inspectionExpiry(QDate(2025, 3, 31)));
    vehicle(12, 2, u("加藤工業"), VehicleBuilder(12).inspectionExpiry(QDate(2025, 4, 1)));
    vehicle(13, 3, u("佐藤運送"), VehicleBuilder(13).inspectionExpiry(QDate(2020, 6, 1)));

    auto* dialog = new CDPrintMinyuuko(setup);
    show(dialog);
    EXPECT_EQ(dialog->monthField()->text(), ReportFields::monthText(QDate::currentDate()));

    // A month that does not exist is cleared on leaving; printing an empty
    // month is refused on the field.
    typeInto(dialog->monthField(), "2513");
    EXPECT_EQ(folder.messages.messages(), QStringList{u("年月日が異常です！")});
    EXPECT_TRUE(dialog->monthField()->text().isEmpty());
    folder.messages.clear();
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("年月日が異常です！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->monthField());

    // 25/04: every inspection expired before 2025-04-01, never on that day.
    folder.messages.clear();
    typeInto(dialog->monthField(), "2504");
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(printers.suggestedName, u("車検未入庫車輌一覧.pdf"));
    const PdfWords words = PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    ASSERT_EQ(words.pages.size(), 1u);
    EXPECT_FALSE(words.find(1, u("車検未入庫車輌一覧")).empty());
    EXPECT_FALSE(words.find(1, u("青木商店")).empty());
    EXPECT_FALSE(words.find(1, u("佐藤運送")).empty());
    EXPECT_TRUE(words.find(1, u("加藤工業")).empty());

    // An earlier month finds nothing.
    typeInto(dialog->monthField(), "2001");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当データが存在しません！")});
    dialog->close();
}

TEST_F(VehicleListDialogs, InsuranceExpiringWithinTheMonthsToCsv)
{
    vehicle(21, 1, u("青木商店"), VehicleBuilder(21).insuranceExpiry(QDate(2025, 5, 31)).set(
                                     &CDaoCarSet::m_Homan, kv::data::toDayNumber(QDate(2025, 5, 31), QTime(18, 0))));
    vehicle(22, 2, u("加藤工業"), VehicleBuilder(22).insuranceExpiry(QDate(2025, 6, 1)));
    vehicle(23, 3, u("佐藤運送"), VehicleBuilder(23).insuranceExpiry(QDate(2025, 4, 1)));
    vehicle(24, 4, u("田中商会"), VehicleBuilder(24).insuranceExpiry(QDate(2025, 3, 31)));

    auto* dialog = new CDPrintHoman(setup);
    show(dialog);
    const QString next = ReportFields::monthText(QDate::currentDate().addMonths(1));
    EXPECT_EQ(dialog->startField()->text(), next);
    EXPECT_EQ(dialog->endField()->text(), next);

    // The end month before the start is refused on the start.
    typeInto(dialog->startField(), "2505");
    typeInto(dialog->endField(), "2504");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->startField());

    // 25/04 to 25/05: through the whole of 31 May, in expiry order.
    folder.messages.clear();
    typeInto(dialog->startField(), "2504");
    typeInto(dialog->endField(), "2505");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(chooser.suggested, u("任意保険満期予定車輌一覧.csv"));
    const std::vector<QStringList> rows = readCsv(chooser.path);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].value(0), u("任意保険満期"));
    EXPECT_EQ(vehicleCodes(rows), (std::vector<QString>{"23", "21"}));

    // Nothing expires in 2024: this list's own message, on paper too.
    typeInto(dialog->startField(), "2401");
    typeInto(dialog->endField(), "2412");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(),
              (QStringList{u("該当するデータが存在しません！"), u("該当するデータが存在しません！")}));
    dialog->close();
}
