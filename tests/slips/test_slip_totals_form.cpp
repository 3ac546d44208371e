// The totals form typed with real keys: the shop's own inspection example,
// a typed tax, tick boxes, percentages and their limits.
#include "slips/ui/CFTot.h"

#include "controls/CEditEx.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kv::slips;
using kv::test::u;
using F = kv::slips::TotalsField;
using Shown = CFTot::Shown;

class TotalsForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        TotalsSetup setup;
        setup.rounding.taxRate = 0.10;
        setup.agencyFeeTaxable = true;
        m_form.fill(setup);
        m_form.show();
        m_form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
        ASSERT_TRUE(m_form.setLineTotals(12345, 20000));
    }

    // Types into a field over its selected text and leaves it with Tab.
    void type(F which, const QString& text)
    {
        kv::CEditEx* edit = m_form.field(which);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    QString shown(Shown which) const { return m_form.shownField(which)->text(); }
    QString text(F which) const { return m_form.field(which)->text(); }

    // The shop's inspection: 10 % off the parts, the statutory costs and a
    // taxable agency fee, 10,000 received in advance.
    void typeInspection()
    {
        type(F::PartsDiscountPercent, u("10.00"));
        type(F::Jibai, u("17650"));
        type(F::JyuZei, u("16400"));
        type(F::Insi, u("1800"));
        type(F::Daiko, u("10000"));
        type(F::Received, u("10000"));
    }

    kv::test::RecordingMessageGateway m_messages;
    CFTot m_form;
};

TEST_F(TotalsForm, TheShopsInspectionExampleTypedFieldByField)
{
    EXPECT_EQ(shown(Shown::PartsLines), u("12,345"));
    EXPECT_EQ(shown(Shown::LabourLines), u("20,000"));
    EXPECT_TRUE(m_form.daikoTaxBox()->isChecked());
    EXPECT_TRUE(m_form.syo5TaxBox()->isChecked());
    EXPECT_TRUE(m_form.syo6TaxBox()->isChecked());

    typeInspection();
    EXPECT_EQ(text(F::PartsDiscountPercent), u("10.00"));
    EXPECT_EQ(text(F::PartsDiscount), u("1,234"));
    EXPECT_EQ(shown(Shown::PartsNet), u("11,111"));
    EXPECT_EQ(shown(Shown::LabourNet), u("20,000"));
    EXPECT_EQ(text(F::PartsLabourTax), u("3,111"));
    EXPECT_EQ(text(F::Jibai), u("17,650"));
    EXPECT_EQ(shown(Shown::CostsTotal), u("45,850"));
    EXPECT_EQ(text(F::CostsTax), u("1,000"));
    EXPECT_EQ(shown(Shown::Total), u("81,072"));
    EXPECT_EQ(shown(Shown::Billed), u("71,072"));
    EXPECT_TRUE(m_messages.messages().isEmpty()) << m_messages.messages().join('|').toStdString();

    kv::data::SyaheadRow header;
    header.m_DenNo = 77;
    m_form.totals(header);
    EXPECT_EQ(header.m_DenNo, 77);
    EXPECT_EQ(header.m_BuhiMeiTot, 12345);
    EXPECT_EQ(header.m_BuhiNebiPer, 1000);
    EXPECT_EQ(header.m_BuhiNebi, 1234);
    EXPECT_EQ(header.m_BuhiKouTot, 31111);
    EXPECT_EQ(header.m_BuhiKouZei, 3111);
    EXPECT_EQ(header.m_DaikoZeiFlag, 1);
    EXPECT_EQ(header.m_SyoTot, 45850);
    EXPECT_EQ(header.m_SyoZei, 1000);
    EXPECT_EQ(header.m_Tot, 81072);
    EXPECT_EQ(header.m_Azu, 10000);
    EXPECT_EQ(header.m_Seikyu, 71072);

    // Unticking the agency fee takes it out of the taxed costs.
    QTest::mouseClick(m_form.daikoTaxBox(), Qt::LeftButton);
    EXPECT_EQ(text(F::CostsTax), u("0"));
    EXPECT_EQ(shown(Shown::Total), u("80,072"));
    m_form.totals(header);
    EXPECT_EQ(header.m_DaikoZeiFlag, 0);
}

TEST_F(TotalsForm, ATypedTaxStaysUntilTheDiscountChanges)
{
    typeInspection();
    type(F::PartsLabourTax, u("3000"));
    EXPECT_EQ(text(F::PartsLabourTax), u("3,000"));
    EXPECT_EQ(shown(Shown::Total), u("80,961"));

    // Neither other fields nor unchanged lines touch it.
    type(F::Received, u("0"));
    ASSERT_TRUE(m_form.setLineTotals(12345, 20000));
    EXPECT_EQ(text(F::PartsLabourTax), u("3,000"));
    EXPECT_EQ(shown(Shown::Billed), u("80,961"));

    // A new discount computes it again: 12,345 - 2,469 + 20,000.
    type(F::PartsDiscountPercent, u("20"));
    EXPECT_EQ(text(F::PartsDiscount), u("2,469"));
    EXPECT_EQ(text(F::PartsLabourTax), u("2,987"));

    // So do changed lines.
    type(F::PartsLabourTax, u("1"));
    ASSERT_TRUE(m_form.setLineTotals(12345, 20010));
    EXPECT_EQ(text(F::PartsLabourTax), u("2,988"));
}

TEST_F(TotalsForm, DiscountAmountStaysUnderAZeroPercentage)
{
    type(F::PartsDiscount, u("500"));
    EXPECT_EQ(shown(Shown::PartsNet), u("11,845"));
    ASSERT_TRUE(m_form.setLineTotals(12345, 20000));
    EXPECT_EQ(text(F::PartsDiscount), u("500"));
    type(F::LabourDiscountPercent, u("5"));
    EXPECT_EQ(text(F::LabourDiscount), u("1,000"));
    EXPECT_EQ(shown(Shown::LabourNet), u("19,000"));
}

TEST_F(TotalsForm, PercentagesAreCutToTwoDecimalsAndKeptInRange)
{
    type(F::PartsDiscountPercent, u("12.345"));
    EXPECT_EQ(text(F::PartsDiscountPercent), u("12.34"));
    kv::data::SyaheadRow header;
    m_form.totals(header);
    EXPECT_EQ(header.m_BuhiNebiPer, 1234);
    // 12.34 % of 12,345 is 1,523.373, cut to 1,523.
    EXPECT_EQ(header.m_BuhiNebi, 1523);
    EXPECT_TRUE(m_messages.messages().isEmpty());

    kv::CEditEx* percent = m_form.field(F::LabourDiscountPercent);
    type(F::LabourDiscountPercent, u("100.01"));
    ASSERT_EQ(m_messages.messages(), QStringList{u("0から100迄を入力して下さい！")});
    EXPECT_EQ(percent->text(), u("0.00"));
    EXPECT_TRUE(percent->hasFocus());
    EXPECT_EQ(shown(Shown::LabourNet), u("20,000"));
}

TEST_F(TotalsForm, AmountsOutOfTheirRangeAreRefused)
{
    type(F::Jibai, u("10000000"));
    EXPECT_EQ(m_messages.messages(),
              QStringList{u("-9,999,999から9,999,999迄の整数を入力してくだい！")});
    EXPECT_EQ(text(F::Jibai), u("0"));
    EXPECT_TRUE(m_form.field(F::Jibai)->hasFocus());

    m_messages.clear();
    // The lines make 35,579 with their tax.
    type(F::Received, u("-99964420"));
    EXPECT_TRUE(m_messages.messages().isEmpty());
    EXPECT_EQ(shown(Shown::Billed), u("99,999,999"));
    // One yen more would bill beyond the limit.
    type(F::Jibai, u("1"));
    EXPECT_EQ(m_messages.messages(), QStringList{SlipTotals::billedRangeMessage()});
    EXPECT_TRUE(m_form.field(F::Jibai)->hasFocus());
    EXPECT_EQ(shown(Shown::Billed), u("99,999,999"));
}

TEST_F(TotalsForm, ARefusedRecomputeShowsItsTaxSoTheNextCheckRefusesToo)
{
    // 35,579 with tax, 10 yen below the limit.
    type(F::Received, u("-99964410"));
    ASSERT_EQ(shown(Shown::Billed), u("99,999,989"));
    // Ten yen more parts: their yen of tax takes the bill past the limit.
    EXPECT_FALSE(m_form.setLineTotals(12355, 20000));
    EXPECT_EQ(m_messages.messages(), QStringList{SlipTotals::billedRangeMessage()});
    EXPECT_EQ(text(F::PartsLabourTax), u("3,235")) << "the tax the refusal was computed with";
    // Recording checks again: the same lines must not pass with the old tax.
    EXPECT_FALSE(m_form.setLineTotals(12355, 20000));
    kv::data::SyaheadRow header;
    m_form.totals(header);
    EXPECT_EQ(header.m_BuhiKouZei, 3235);
}

TEST_F(TotalsForm, RecomputingReadsEveryFieldAndStopsAtABadOne)
{
    // Pasted text that was never left: the grid's next change finds it.
    m_form.field(F::PartsDiscountPercent)->setText(u("50"));
    m_form.field(F::Insi)->setText(u("12a"));
    EXPECT_FALSE(m_form.setLineTotals(20000, 20000));
    EXPECT_EQ(m_messages.messages(),
              QStringList{u("-9,999,999から9,999,999迄の整数を入力してくだい！")});
    EXPECT_EQ(text(F::Insi), u("0"));
    EXPECT_TRUE(m_form.field(F::Insi)->hasFocus());

    m_messages.clear();
    m_form.field(F::LabourDiscountPercent)->setText(u("101"));
    EXPECT_FALSE(m_form.setLineTotals(20000, 20000));
    EXPECT_EQ(m_messages.messages(), QStringList{u("0から100迄を入力して下さい！")});
    EXPECT_TRUE(m_form.field(F::LabourDiscountPercent)->hasFocus());
    m_form.field(F::LabourDiscountPercent)->setText(u("0.00"));
    ASSERT_TRUE(m_form.setLineTotals(20000, 20000));
    EXPECT_EQ(text(F::PartsDiscount), u("10,000"));
    EXPECT_EQ(text(F::PartsLabourTax), u("3,000"));
}

TEST_F(TotalsForm, InspectionCostsComeAndGoWithTheCategory)
{
    ASSERT_TRUE(m_form.setStatutoryCosts({17650, 16400, 1800, 10000}));
    EXPECT_EQ(text(F::Daiko), u("10,000"));
    EXPECT_EQ(shown(Shown::CostsTotal), u("45,850"));
    EXPECT_EQ(text(F::CostsTax), u("1,000"));
    type(F::CostsTax, u("900"));
    ASSERT_TRUE(m_form.clearStatutoryCosts());
    EXPECT_EQ(text(F::Jibai), u("0"));
    EXPECT_EQ(text(F::CostsTax), u("0"));
    EXPECT_EQ(shown(Shown::CostsTotal), u("0"));
    EXPECT_EQ(shown(Shown::Total), u("35,579"));
}

TEST(TotalsFormFilling, StoredSlipIsShownAsRecordedAndNewInspectionTakesTheVehiclesCosts)
{
    kv::test::RecordingMessageGateway messages;
    kv::data::SyaheadRow stored;
    stored.m_BuhiMeiTot = 1000;
    stored.m_BuhiNebiPer = 1250;
    stored.m_BuhiNebi = 125;
    stored.m_BuhiTot = 875;
    stored.m_BuhiKouZei = 50; // typed when recorded
    stored.m_SyoName5 = u("洗車");
    stored.m_Syo5 = 300;
    stored.m_Tot = 1225;
    stored.m_Seikyu = 1225;
    TotalsSetup modify;
    modify.mode = SlipMode::Modify;
    modify.stored = stored;
    modify.rounding.taxRate = 0.10;
    CFTot form;
    form.fill(modify);
    EXPECT_EQ(form.field(F::PartsDiscountPercent)->text(), u("12.50"));
    EXPECT_EQ(form.field(F::PartsLabourTax)->text(), u("50"));
    EXPECT_EQ(form.syoName5Edit()->text(), u("洗車"));
    EXPECT_FALSE(form.syo5TaxBox()->isChecked());
    EXPECT_EQ(form.shownField(Shown::Billed)->text(), u("1,225"));
    kv::data::SyaheadRow back;
    form.totals(back);
    EXPECT_EQ(back.m_BuhiNebiPer, 1250);
    EXPECT_EQ(back.m_BuhiKouZei, 50);

    TotalsSetup fresh;
    fresh.rounding.taxRate = 0.10;
    fresh.agencyFeeTaxable = false;
    fresh.costs = StatutoryCosts{17650, 16400, 1800, 10000};
    form.fill(fresh);
    EXPECT_FALSE(form.daikoTaxBox()->isChecked());
    EXPECT_EQ(form.shownField(Shown::CostsTotal)->text(), u("45,850"));
    EXPECT_EQ(form.field(F::CostsTax)->text(), u("0"));
    EXPECT_EQ(form.shownField(Shown::Billed)->text(), u("45,850"));
    EXPECT_TRUE(messages.messages().isEmpty());
}

} // namespace
