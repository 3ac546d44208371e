#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "masters/core/SetEditor.h"
#include "masters/core/SetRules.h"
#include "masters/core/SetStore.h"
#include "masters/core/ShownCodeLock.h"
#include "support/LockHoldingComputer.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace {

using kv::masters::FieldOutcome;
using kv::masters::SetEditor;
using kv::masters::SetRules;
using kv::masters::SetState;
using kv::masters::SetStore;
using kv::test::u;

kv::data::SyaJnlRow line(int lineNo, const char* text, int price = 0)
{
    kv::data::SyaJnlRow row;
    row.m_LineNo = lineNo;
    row.m_Meisai = u(text);
    row.m_Kubun = 3;
    row.m_Suuryo = 10;
    row.m_Tanka = price;
    row.m_Kingaku = price;
    return row;
}

class SetEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        store = std::make_unique<SetStore>(*doc);
    }

    void sql(const QByteArray& text) { kv::test::DocumentTestFolder::sql(*doc, text); }
    qint64 scalar(const QByteArray& query) { return kv::test::DocumentTestFolder::scalar(*doc, query); }
    QString text(const QByteArray& query) { return kv::test::DocumentTestFolder::text(*doc, query); }
    qint64 placeholders()
    {
        return scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetName = '新規作成中'");
    }
    const QStringList& messages() const { return folder.messages.messages(); }

    // Records a set through a fresh editor: code typed, name, reading, lines.
    bool recordSet(int code, const char* name, const SetEditor::Lines& lines)
    {
        SetEditor editor(*store, announcer);
        editor.open();
        std::optional<SetEditor::Lines> loaded;
        editor.leaveCode(QString::number(code), &loaded);
        editor.name = u(name);
        editor.reading = QStringLiteral("ｵ");
        const bool recorded = editor.record(lines);
        editor.close();
        return recorded;
    }

    kv::test::DocumentTestFolder folder;
    kv::lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<SetStore> store;
};

TEST_F(SetEditorTest, RecordingWritesHeaderAndLinesCountsAndStartsANewSet)
{
    SetEditor editor(*store, announcer);
    editor.open();
    EXPECT_EQ(editor.code(), 1) << "the lowest free code is reserved at opening";
    EXPECT_EQ(editor.countLabel(), QStringLiteral("  0/999件"));
    EXPECT_EQ(placeholders(), 1);

    editor.name = u("オイル交換");
    editor.reading = QStringLiteral("ｵ");
    // Rows 0 and 3 used: the stored lines keep the gap.
    ASSERT_TRUE(editor.record({line(0, "エンジンオイル", 4000), line(3, "オイル交換工賃")}));
    EXPECT_EQ(text("SELECT SetName FROM f012.MeisaiSetHead WHERE SetCode = 1"), u("オイル交換"));
    EXPECT_EQ(text("SELECT group_concat(LineNo) FROM (SELECT LineNo FROM f012.MeisaiSetJnl"
                   " WHERE SetCode = 1 ORDER BY LineNo)"),
              QStringLiteral("0,3"));
    EXPECT_EQ(scalar("SELECT Tanka FROM f012.MeisaiSetJnl WHERE SetCode = 1 AND LineNo = 0"), 4000);
    EXPECT_EQ(editor.setCount(), 1);
    EXPECT_EQ(announcer.texts(), QStringList{u("Update,作業・部品ｾｯﾄ,1")});
    // Cleared for the next set: a new code, nothing left of the recorded one.
    EXPECT_EQ(editor.state(), SetState::New);
    EXPECT_EQ(editor.code(), 2);
    EXPECT_TRUE(editor.name.isEmpty());
    EXPECT_EQ(placeholders(), 1);
    editor.close();
    EXPECT_EQ(placeholders(), 0) << "closing leaves no placeholder behind";

    // An empty grid stores a header without lines.
    ASSERT_TRUE(recordSet(7, "点検", {}));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetCode = 7"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 7"), 0);
    EXPECT_EQ(store->counter(0), 2);
}

TEST_F(SetEditorTest, AFailureHalfWayLeavesTheStoredSetAsItWas)
{
    ASSERT_TRUE(recordSet(5, "オイル交換", {line(0, "エンジンオイル", 4000), line(1, "工賃")}));
    // The lines refuse every new row: the header was rewritten and the old
    // lines deleted when the unit fails.
    sql("CREATE TRIGGER f012.refuse BEFORE INSERT ON MeisaiSetJnl"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    SetEditor editor(*store, announcer);
    editor.open();
    std::optional<SetEditor::Lines> loaded;
    editor.leaveCode(QStringLiteral("5"), &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), 2u);
    editor.name = u("別の名前");
    announcer.clear();
    EXPECT_FALSE(editor.record({line(0, "フィルター")}));
    EXPECT_FALSE(messages().isEmpty()) << "the failure is told";
    EXPECT_EQ(text("SELECT SetName FROM f012.MeisaiSetHead WHERE SetCode = 5"), u("オイル交換"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 5"), 2);
    EXPECT_TRUE(announcer.texts().isEmpty()) << "nothing changed, nothing announced";
    EXPECT_EQ(store->counter(0), 1);

    // Deleting fails on the header after the lines went: both stay.
    sql("DROP TRIGGER f012.refuse");
    sql("CREATE TRIGGER f012.keep BEFORE DELETE ON MeisaiSetHead"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ASSERT_TRUE(editor.beginDelete());
    folder.messages.answerNext(true);
    EXPECT_FALSE(editor.confirmDelete());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 5"), 2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetCode = 5"), 1);
    EXPECT_EQ(store->counter(0), 1);
    EXPECT_EQ(editor.state(), SetState::Modify);
}

TEST_F(SetEditorTest, DeletingAsksThenRemovesHeaderAndLinesAndCounts)
{
    ASSERT_TRUE(recordSet(4, "車検", {line(0, "ブレーキ"), line(2, "工賃")}));
    SetEditor editor(*store, announcer);
    editor.open();
    EXPECT_FALSE(editor.beginDelete()) << "not in new state";
    std::optional<SetEditor::Lines> loaded;
    editor.leaveCode(QStringLiteral("4"), &loaded);
    ASSERT_TRUE(editor.beginDelete());
    EXPECT_EQ(editor.state(), SetState::Delete);
    folder.messages.answerNext(false);
    EXPECT_FALSE(editor.confirmDelete());
    EXPECT_EQ(editor.state(), SetState::Modify);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 4"), 2);

    announcer.clear();
    ASSERT_TRUE(editor.beginDelete());
    folder.messages.answerNext(true);
    EXPECT_TRUE(editor.confirmDelete());
    EXPECT_EQ(folder.messages.questions().last(), SetRules::deleteQuestion());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 4"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetCode = 4"), 0);
    EXPECT_EQ(editor.setCount(), 0);
    EXPECT_EQ(announcer.texts(), QStringList{u("Delete,作業・部品ｾｯﾄ")});
    EXPECT_EQ(editor.state(), SetState::New);
}

TEST_F(SetEditorTest, CodeFieldReservesRefusesAndLoads)
{
    ASSERT_TRUE(recordSet(2, "オイル交換", {line(1, "オイル")}));
    SetEditor editor(*store, announcer);
    editor.open();
    EXPECT_EQ(editor.code(), 1);
    std::optional<SetEditor::Lines> loaded;

    FieldOutcome outcome = editor.leaveCode(QStringLiteral("1000"), &loaded);
    EXPECT_EQ(outcome.kind, FieldOutcome::Refused);
    EXPECT_EQ(outcome.message, SetRules::codeMessage());

    outcome = editor.leaveCode(QStringLiteral("30"), &loaded);
    EXPECT_EQ(outcome.kind, FieldOutcome::Accepted);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(editor.ownPlaceholder(), 30) << "a typed free code is held by a placeholder";
    EXPECT_EQ(placeholders(), 1) << "the reserved code 1 was given back";

    outcome = editor.leaveCode(QStringLiteral("0"), &loaded);
    EXPECT_EQ(outcome.text, QStringLiteral("1"));
    EXPECT_EQ(placeholders(), 1);

    outcome = editor.leaveCode(QStringLiteral("2"), &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(editor.state(), SetState::Modify);
    EXPECT_EQ(editor.name, u("オイル交換"));
    EXPECT_EQ(loaded->front().m_LineNo, 1);
    EXPECT_EQ(placeholders(), 0);
}

TEST_F(SetEditorTest, ChoosingASetToModifyLeavesNoPlaceholder)
{
    ASSERT_TRUE(recordSet(3, "オイル交換", {line(0, "オイル")}));
    SetEditor editor(*store, announcer);
    editor.open();
    ASSERT_TRUE(editor.startModify());
    EXPECT_EQ(placeholders(), 1) << "新規 ran first";
    const auto lines = editor.chooseForModify(3);
    ASSERT_TRUE(lines);
    EXPECT_EQ(editor.state(), SetState::Modify);
    EXPECT_EQ(editor.code(), 3);
    EXPECT_EQ(placeholders(), 0);

    editor.close();
    sql("DELETE FROM f012.MeisaiSetJnl; DELETE FROM f012.MeisaiSetHead;");
    SetEditor empty(*store, announcer);
    empty.open();
    EXPECT_FALSE(empty.startModify()) << "a placeholder is no set";
    EXPECT_EQ(messages().last(), SetRules::noSetsMessage());
}

TEST_F(SetEditorTest, TheLimitCountsRealSetsOnly)
{
    sql(kv::test::insertCodes("f012.MeisaiSetHead", "SetCode", 1, 998));
    sql("UPDATE f012.MeisaiSetHead SET SetName = 'セット', Furi = 'ｾ'");
    SetEditor editor(*store, announcer);
    editor.open();
    EXPECT_EQ(editor.code(), 999);
    editor.name = u("最後");
    editor.reading = QStringLiteral("ｻ");
    ASSERT_TRUE(editor.record({})) << "the 999th set, while its own placeholder exists";
    EXPECT_EQ(editor.code(), 0) << "no code is free any more";

    // The 1000th is refused; a change to an existing one is not.
    sql("DELETE FROM f012.MeisaiSetHead WHERE SetCode = 500");
    sql("INSERT INTO f012.MeisaiSetHead (SetCode, SetName, Furi) VALUES (1000, 'はみ出し', 'ﾊ')");
    std::optional<SetEditor::Lines> loaded;
    editor.leaveCode(QStringLiteral("500"), &loaded);
    editor.name = u("新しい");
    editor.reading = QStringLiteral("ｱ");
    EXPECT_FALSE(editor.record({}));
    EXPECT_EQ(messages().last(), SetRules::tableFullMessage());
    editor.leaveCode(QStringLiteral("10"), &loaded);
    editor.name = u("変更");
    EXPECT_TRUE(editor.record({}));
    EXPECT_EQ(text("SELECT SetName FROM f012.MeisaiSetHead WHERE SetCode = 10"), u("変更"));
}

TEST_F(SetEditorTest, ASetEditedOnAnotherComputerIsRefused)
{
    ASSERT_TRUE(recordSet(5, "オイル交換", {}));
    kv::test::LockHoldingComputer other(folder.folder.path(), {"claim", "012.mdb", "5"});
    ASSERT_TRUE(other.ready);
    SetEditor editor(*store, announcer);
    editor.open();
    std::optional<SetEditor::Lines> loaded;
    const FieldOutcome outcome = editor.leaveCode(QStringLiteral("5"), &loaded);
    EXPECT_EQ(outcome.kind, FieldOutcome::Refused);
    EXPECT_EQ(outcome.message, u("このコードは他のクライアントで編集中です！"));
    EXPECT_EQ(outcome.text, QStringLiteral("0"));
    EXPECT_FALSE(loaded);

    EXPECT_FALSE(editor.chooseForModify(5));
    EXPECT_EQ(messages().last(), u("このコードは他のコンピュータで編集中です！"));
    EXPECT_NE(editor.state(), SetState::Modify);
}

} // namespace

// The lock both editing windows keep on the code they show.
TEST(ShownCodeLock, RemembersOnlyWhatTheStoreGranted)
{
    QList<int> claimed;
    bool grant = true;
    int releases = 0;
    bool released = true;
    kv::masters::ShownCodeLock lock(
        [&](int code) {
            claimed << code;
            return grant;
        },
        [&] {
            ++releases;
            return released;
        });

    EXPECT_TRUE(lock.claim(0));
    EXPECT_TRUE(claimed.isEmpty()) << "code 0 asks the store for nothing";
    EXPECT_TRUE(lock.release());
    EXPECT_EQ(releases, 0) << "nothing held, nothing released";

    ASSERT_TRUE(lock.claim(5));
    grant = false;
    EXPECT_FALSE(lock.claim(6));
    EXPECT_EQ(lock.code(), 5) << "a refused code is not taken for held";

    released = false;
    EXPECT_FALSE(lock.release());
    EXPECT_EQ(lock.code(), 5) << "a failed release keeps it, to be given up later";
    released = true;
    EXPECT_TRUE(lock.release());
    EXPECT_EQ(lock.code(), 0);
    EXPECT_TRUE(lock.release());
    EXPECT_EQ(releases, 2);
}
