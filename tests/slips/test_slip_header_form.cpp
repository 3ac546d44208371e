// The header form typed with real keys: defaults of the three modes, the
// checks when a field is left, the validation before recording and the
// job category that proposes the next inspection.
#include "slips/ui/CFKihon.h"

#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "data/engine/DayNumber.h"
#include "slips/core/SlipHeaderRules.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kv::slips;
using kv::test::u;

kv::data::NyuukoKbnRow category(int code, const char* name, int kind)
{
    kv::data::NyuukoKbnRow row;
    row.m_NyuukoKbnCode = code;
    row.m_NyuukoKbn = u(name);
    row.m_NyuukoKind = kind;
    return row;
}

const QString kInvalid = u("年月日が異常です！");

class HeaderForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_form.fill(setup(SlipMode::New));
        m_form.show();
        m_form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
    }

    static HeaderSetup setup(SlipMode mode)
    {
        HeaderSetup s;
        s.mode = mode;
        s.slipNumber = 42;
        s.billingName = u("山田 太郎");
        // Inspection expires 2025-03-31, every two years.
        s.vehicle.m_Syaman = kv::data::toDayNumber(QDate(2025, 3, 31));
        s.vehicle.m_Yuko = 2;
        s.labourRate = 8000;
        s.bodyWorkRate = 9500;
        s.categories = {category(1, "車検", 1), category(2, "保険", 7), category(3, "一般整備", 4),
                        category(4, "入金", 99), category(5, "鈑金塗装", 5)};
        s.today = QDate(2026, 12, 10);
        return s;
    }

    void type(kv::CEditEx* edit, const QString& text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    kv::test::RecordingMessageGateway m_messages;
    CFKihon m_form;
};

TEST_F(HeaderForm, NewSlipStartsWithTodayTheFirstCategoryAndTheProposedInspection)
{
    EXPECT_EQ(m_form.slipNumberEdit()->text(), u("000042"));
    EXPECT_TRUE(m_form.slipNumberEdit()->isReadOnly());
    EXPECT_EQ(m_form.billingEdit()->text(), u("山田 太郎"));
    EXPECT_TRUE(m_form.billingEdit()->isReadOnly());
    EXPECT_EQ(m_form.kindCombo()->count(), 4);
    EXPECT_EQ(m_form.kindCombo()->currentText(), u("納品書"));
    EXPECT_TRUE(m_form.kindCombo()->isEnabled());
    EXPECT_EQ(m_form.issueDateEdit()->text(), u("26/12/10"));
    EXPECT_EQ(m_form.dateInEdit()->text(), u("26/12/10"));
    EXPECT_EQ(m_form.deliveryDateEdit()->text(), u("26/12/10"));
    EXPECT_EQ(m_form.mileageEdit()->text(), u("0"));
    EXPECT_EQ(m_form.labourRateEdit()->text(), u("8,000"));
    EXPECT_EQ(m_form.bodyWorkRateEdit()->text(), u("9,500"));

    // Insurance and payments are no jobs.
    QStringList names;
    for (int i = 0; i < m_form.categoryCombo()->count(); ++i)
        names << m_form.categoryCombo()->itemText(i);
    EXPECT_EQ(names, (QStringList{u("車検"), u("一般整備"), u("鈑金塗装")}));
    // An inspection delivery note proposes the expiry two years on (令和9).
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("09/03/31"));
}

TEST_F(HeaderForm, ChangingTheCategoryProposesTheInspectionAgainAndTellsTheFrame)
{
    QSignalSpy changed(&m_form, &CFKihon::categoryChanged);
    m_form.categoryCombo()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_form.categoryCombo(), Qt::Key_Down);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.takeFirst().at(0).toInt(), 4);
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("07/03/31"));

    // Only a delivery note moves the expiry by the cycle.
    m_form.kindCombo()->setCurrentIndex(1);
    QTest::keyClick(m_form.categoryCombo(), Qt::Key_Up);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.takeFirst().at(0).toInt(), 1);
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("07/03/31"));
    m_form.kindCombo()->setCurrentIndex(0);
    QTest::keyClick(m_form.categoryCombo(), Qt::Key_Down);
    QTest::keyClick(m_form.categoryCombo(), Qt::Key_Up);
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("09/03/31"));
}

TEST_F(HeaderForm, DatesAreCheckedAndRewrittenWhenLeft)
{
    type(m_form.issueDateEdit(), u("500101"));
    EXPECT_EQ(m_form.issueDateEdit()->text(), u("50/01/01"));
    EXPECT_TRUE(m_form.categoryCombo()->hasFocus());

    type(m_form.issueDateEdit(), u("501301"));
    EXPECT_EQ(m_messages.messages(), QStringList{kInvalid});
    EXPECT_EQ(m_form.issueDateEdit()->text(), QString());
    EXPECT_TRUE(m_form.issueDateEdit()->hasFocus());

    // An empty issue date keeps the focus without a word.
    m_messages.clear();
    QTest::keyClick(m_form.issueDateEdit(), Qt::Key_Tab);
    EXPECT_TRUE(m_form.issueDateEdit()->hasFocus());
    EXPECT_TRUE(m_messages.messages().isEmpty());
    QTest::keyClicks(m_form.issueDateEdit(), u("510101"));
    QTest::keyClick(m_form.issueDateEdit(), Qt::Key_Tab);
    EXPECT_EQ(m_form.issueDateEdit()->text(), u("51/01/01"));

    // Optional dates may be emptied; the next inspection counts in era
    // years and must exist (平成31 had no 29 February).
    type(m_form.dateInEdit(), QString());
    EXPECT_EQ(m_form.dateInEdit()->text(), QString());
    EXPECT_TRUE(m_form.deliveryDateEdit()->hasFocus());
    type(m_form.nextInspectionEdit(), u("250331"));
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("25/03/31"));
    type(m_form.nextInspectionEdit(), u("310229"));
    EXPECT_EQ(m_messages.messages(), QStringList{kInvalid});
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), QString());
    EXPECT_TRUE(m_form.nextInspectionEdit()->hasFocus());
}

TEST_F(HeaderForm, MileageAndRatesKeepTheirRanges)
{
    type(m_form.mileageEdit(), u("1234567"));
    EXPECT_EQ(m_form.mileageEdit()->text(), u("1,234,567"));
    type(m_form.mileageEdit(), u("12345678"));
    EXPECT_EQ(m_messages.messages(), QStringList{SlipHeaderRules::mileageMessage()});
    EXPECT_EQ(m_form.mileageEdit()->text(), u("0"));
    EXPECT_TRUE(m_form.mileageEdit()->hasFocus());

    m_messages.clear();
    type(m_form.bodyWorkRateEdit(), u("1000000"));
    EXPECT_EQ(m_messages.messages(), QStringList{SlipHeaderRules::rateMessage()});
    EXPECT_EQ(m_form.bodyWorkRateEdit()->text(), u("0"));
}

TEST_F(HeaderForm, ValidationReadsEveryFieldOrStopsAtTheFirstBadOne)
{
    // Choosing the category proposes a next inspection; the typed one wins.
    m_form.categoryCombo()->setCurrentIndex(2);
    type(m_form.issueDateEdit(), u("500101"));
    type(m_form.mileageEdit(), u("45678"));
    type(m_form.nextInspectionEdit(), u("250331"));
    type(m_form.dateInEdit(), QString());

    HeaderValues values;
    ASSERT_TRUE(m_form.validateHeader(&values));
    EXPECT_EQ(values.kind, 0);
    EXPECT_EQ(values.issueDate, QDate(2050, 1, 1));
    EXPECT_EQ(values.categoryCode, 5);
    EXPECT_EQ(values.categoryKind, 5);
    EXPECT_EQ(values.mileage, 45678);
    EXPECT_EQ(values.nextInspection, QDate(2013, 3, 31));
    EXPECT_FALSE(values.dateIn.isValid());
    EXPECT_EQ(values.deliveryDate, QDate(2026, 12, 10));
    EXPECT_EQ(values.labourRate, 8000);
    EXPECT_EQ(values.bodyWorkRate, 9500);

    kv::data::SyaheadRow header;
    header.m_DenNo = 42;
    values.writeInto(header, QTime(14, 5, 9, 500));
    EXPECT_EQ(header.m_DenNo, 42);
    EXPECT_EQ(header.m_NyuukoKbnCode, 5);
    EXPECT_EQ(header.m_Km, 45678);
    EXPECT_EQ(kv::data::fromDayNumber(header.m_HatuDate),
              QDateTime(QDate(2050, 1, 1), QTime(14, 5, 9)));
    EXPECT_EQ(kv::data::fromDayNumber(header.m_Syaman).date(), QDate(2013, 3, 31));
    EXPECT_EQ(header.m_NyuDate, kv::data::kEmptyDate);
    EXPECT_EQ(kv::data::fromDayNumber(header.m_NouDate).date(), QDate(2026, 12, 10));
    EXPECT_EQ(header.m_KouLeba, 8000);
    EXPECT_EQ(header.m_BanLeba, 9500);

    // 令和5 for a year outside 21..31.
    type(m_form.nextInspectionEdit(), u("050331"));
    ASSERT_TRUE(m_form.validateHeader(&values));
    EXPECT_EQ(values.nextInspection, QDate(2023, 3, 31));
    EXPECT_TRUE(m_messages.messages().isEmpty());

    // A day the month lacks passes the leaving check but not validation.
    type(m_form.deliveryDateEdit(), u("260230"));
    EXPECT_TRUE(m_messages.messages().isEmpty());
    EXPECT_FALSE(m_form.validateHeader(&values));
    EXPECT_EQ(m_messages.messages(), QStringList{SlipHeaderRules::impossibleDateMessage()});
    EXPECT_TRUE(m_form.deliveryDateEdit()->hasFocus());

    // An empty issue date is refused first.
    m_messages.clear();
    m_form.issueDateEdit()->setText(QString());
    EXPECT_FALSE(m_form.validateHeader(&values));
    EXPECT_EQ(m_messages.messages(), QStringList{kInvalid});
    EXPECT_TRUE(m_form.issueDateEdit()->hasFocus());
}

TEST_F(HeaderForm, ModifyShowsTheStoredSlipAndKeepsTheKindOfASale)
{
    kv::data::SyaheadRow stored;
    stored.m_DenKind = 0;
    stored.m_HatuDate = kv::data::toDayNumber(QDate(2026, 11, 1), QTime(10, 30));
    stored.m_NyuukoKbnCode = 3;
    stored.m_Km = 45678;
    stored.m_Syaman = kv::data::toDayNumber(QDate(2027, 5, 20));
    stored.m_NyuDate = kv::data::kEmptyDate;
    stored.m_NouDate = kv::data::toDayNumber(QDate(2026, 11, 2));
    stored.m_KouLeba = 7000;
    HeaderSetup modify = setup(SlipMode::Modify);
    modify.stored = stored;
    modify.saleExists = true;
    m_form.fill(modify);

    EXPECT_EQ(m_form.issueDateEdit()->text(), u("26/11/01"));
    EXPECT_EQ(m_form.categoryCombo()->currentText(), u("一般整備"));
    EXPECT_EQ(m_form.mileageEdit()->text(), u("45,678"));
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("09/05/20"));
    EXPECT_EQ(m_form.dateInEdit()->text(), QString());
    EXPECT_EQ(m_form.deliveryDateEdit()->text(), u("26/11/02"));
    EXPECT_EQ(m_form.labourRateEdit()->text(), u("7,000"));
    EXPECT_EQ(m_form.bodyWorkRateEdit()->text(), u("0"));
    EXPECT_FALSE(m_form.kindCombo()->isEnabled());
    m_form.focusFirstField();
    EXPECT_TRUE(m_form.issueDateEdit()->hasFocus());

    // A recorded slip keeps its inspection date whatever the category.
    QSignalSpy changed(&m_form, &CFKihon::categoryChanged);
    m_form.categoryCombo()->setCurrentIndex(0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("09/05/20"));

    // A transfer takes the old job but today's date and a new proposal.
    HeaderSetup transfer = setup(SlipMode::Transfer);
    stored.m_NyuukoKbnCode = 1;
    transfer.stored = stored;
    m_form.fill(transfer);
    EXPECT_TRUE(m_form.kindCombo()->isEnabled());
    EXPECT_EQ(m_form.issueDateEdit()->text(), u("26/12/10"));
    EXPECT_EQ(m_form.mileageEdit()->text(), u("45,678"));
    EXPECT_EQ(m_form.labourRateEdit()->text(), u("7,000"));
    EXPECT_EQ(m_form.nextInspectionEdit()->text(), u("09/03/31"));
}

TEST_F(HeaderForm, AStoredNextInspectionOfAnEarlierEraIsKeptAsStored)
{
    kv::data::SyaheadRow stored;
    stored.m_HatuDate = kv::data::toDayNumber(QDate(2008, 1, 10));
    stored.m_Syaman = kv::data::toDayNumber(QDate(2008, 3, 31)); // 平成20
    stored.m_NyuDate = stored.m_NouDate = kv::data::kEmptyDate;
    HeaderSetup modify = setup(SlipMode::Modify);
    modify.stored = stored;
    m_form.fill(modify);
    ASSERT_EQ(m_form.nextInspectionEdit()->text(), u("20/03/31"));
    HeaderValues values;
    ASSERT_TRUE(m_form.validateHeader(&values));
    EXPECT_EQ(values.nextInspection, QDate(2008, 3, 31)) << "not 令和20";
    // Typed again, the two digits are read as the rules say.
    m_form.nextInspectionEdit()->setText(u("20/03/30"));
    ASSERT_TRUE(m_form.validateHeader(&values));
    EXPECT_EQ(values.nextInspection, QDate(2038, 3, 30));
}

} // namespace
