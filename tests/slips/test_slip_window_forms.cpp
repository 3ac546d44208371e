// The header and totals forms of the real slip window by keys: the focus
// stays inside the active form and, after a refusal, on the refused field.

#include "SlipWindowTest.h"

#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "slips/ui/CFKihon.h"
#include "slips/ui/CFTot.h"

using namespace kv::test;
using kv::slips::CDenFrame;
using kv::slips::CFKihon;
using kv::slips::CFTot;
using kv::slips::TotalsField;

namespace {

class SlipWindowForms : public SlipWindowTest {
protected:
    void SetUp() override
    {
        SlipWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(open());
        header = frame->findChild<CFKihon*>();
        totals = frame->findChild<CFTot*>();
        ASSERT_TRUE(header && totals);
    }
    static QWidget* focus() { return QApplication::focusWidget(); }

    CFKihon* header = nullptr;
    CFTot* totals = nullptr;
};

TEST_F(SlipWindowForms, EnterAndTabGoRoundTheActiveFormOnly)
{
    press(Qt::Key_F3);
    ASSERT_EQ(frame->activePane(), CDenFrame::Pane::Totals) << messages().toStdString();
    ASSERT_EQ(focus(), totals->field(TotalsField::PartsDiscount));
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focus(), totals->field(TotalsField::Received)) << "Shift+Enter wraps to the last";
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), totals->field(TotalsField::PartsDiscount)) << "Tab wraps to the first";
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), totals->field(TotalsField::Received));
    press(Qt::Key_Return);
    EXPECT_EQ(focus(), totals->field(TotalsField::PartsDiscount));
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Totals);

    // Still the totals' pane: F11 records.
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    EXPECT_TRUE(frame.isNull()) << messages().toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 1"), 1);
}

TEST_F(SlipWindowForms, TheHeaderWrapsBetweenItsTypedFields)
{
    ASSERT_EQ(focus(), header->kindCombo());
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), header->bodyWorkRateEdit());
    press(Qt::Key_Return);
    EXPECT_EQ(focus(), header->kindCombo()) << "the shown slip number is no stop";
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Header);
}

} // namespace
