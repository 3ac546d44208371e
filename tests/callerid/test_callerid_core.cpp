// The caller-ID rules without windows: finding the caller, the call
// information and its file, the ring sound and the adapter's start.
#include "CallerIdTestShop.h"

#include "callerid/core/CallHistoryRow.h"
#include "callerid/core/CallRecord.h"
#include "callerid/core/CallerIdService.h"
#include "callerid/core/CallerIdTexts.h"
#include "callerid/core/RingSound.h"
#include "callerid/core/RingSoundPlayer.h"
#include "common/InstallSettings.h"
#include "common/platform/SharedFile.h"
#include "data/engine/TelephoneDigits.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv;
using callerid::CallerLookup;
using test::CallerIdTestShop;

namespace {

int found(CallerIdTestShop& shop, const QString& number)
{
    data::CallInfoEntry caller;
    const CallerLookup::Result result = shop.lookup->find(number, &caller);
    EXPECT_NE(result, CallerLookup::Result::Failed) << shop.lookup->lastError().description.toStdString();
    return result == CallerLookup::Result::Found ? caller.kokCode : 0;
}

} // namespace

TEST(TelephoneDigits, KeepsOnlyTheDigitsFullWidthOnesAsAscii)
{
    EXPECT_EQ(data::telephoneDigits(QByteArrayView("03-3611-9879")), QByteArray("0336119879"));
    EXPECT_EQ(data::telephoneDigits(QStringLiteral("（０３）３６１１ 9879").toUtf8()),
              QByteArray("0336119879"));
    EXPECT_EQ(data::telephoneDigits(QStringLiteral("非通知").toUtf8()), QByteArray());
}

TEST(CallerLookup, FindsTheCallerByEitherNumberAsWrittenOrByItsDigits)
{
    CallerIdTestShop shop;
    shop.customer(1, "葛飾 太郎", "03-3611-9879");
    shop.customer(2, "江戸川 花子", "03-1111-2222", "090-1234-5678");
    shop.customer(3, "足立 次郎", "0452223333");
    shop.customer(4, "荒川 三郎", "（０４８）７７７－１２３４");

    EXPECT_EQ(found(shop, "0336119879"), 1); // hyphens in the data, digits from the adapter
    EXPECT_EQ(found(shop, "09012345678"), 2); // Tel2
    EXPECT_EQ(found(shop, "0452223333"), 3);  // as written
    EXPECT_EQ(found(shop, "0487771234"), 4);  // full-width digits and brackets
    EXPECT_EQ(found(shop, "0336119870"), 0);
    ASSERT_TRUE(shop.lookup->install());
    EXPECT_EQ(found(shop, "0336119879"), 1);
    EXPECT_EQ(found(shop, "09012345678"), 2);
}

TEST(CallerLookup, NeverFindsAPlaceholderOrAnyoneForAnEmptyOrHostileNumber)
{
    CallerIdTestShop shop;
    ASSERT_TRUE(shop.lookup->install());
    shop.customer(1, "新規作成中", "0336119879");
    shop.customer(2, "空欄 一郎", "");
    shop.customer(3, "引用 符子", "1' OR '1'='1");

    EXPECT_EQ(found(shop, "0336119879"), 0);
    EXPECT_EQ(found(shop, ""), 0);
    EXPECT_EQ(found(shop, "P"), 0); // withheld: no digits, nobody with an empty number
    // The number is bound, not spliced into the query: it finds only
    // whoever has exactly that text.
    EXPECT_EQ(found(shop, "x\" OR \"1\"=\"1"), 0);
    EXPECT_EQ(found(shop, "1' OR '1'='1"), 3);
}

TEST(CallerLookup, TakesTheExactTextFirstThenTheLowestCode)
{
    CallerIdTestShop shop;
    ASSERT_TRUE(shop.lookup->install());
    shop.customer(7, "後 さん", "0336119879");
    shop.customer(2, "先 さん", "03-3611-9879");
    shop.customer(5, "同 番号", "06-1111-2222");
    shop.customer(4, "同 番号", "06-1111-2222");
    EXPECT_EQ(found(shop, "0336119879"), 7);
    EXPECT_EQ(found(shop, "0611112222"), 4);
}

TEST(CallerLookup, SeeksTheDigitIndexesRatherThanWalkingTheCustomers)
{
    CallerIdTestShop shop;
    ASSERT_TRUE(shop.lookup->install());
    sqlite3_stmt* statement = nullptr;
    QStringList steps;
    sqlite3_prepare_v2(shop.doc->store().mainConnection().handle(),
                       "EXPLAIN QUERY PLAN SELECT KokCode FROM f010.Kok WHERE (kv_tel_digits(Tel1) "
                       "= '1' OR kv_tel_digits(Tel2) = '1') AND UserName1 IS NOT 'x'",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        steps << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
    sqlite3_finalize(statement);
    const QString joined = steps.join('|');
    EXPECT_TRUE(joined.contains("Kok_Tel1Digits") && joined.contains("Kok_Tel2Digits"))
        << joined.toStdString();
    EXPECT_FALSE(joined.contains("SCAN")) << joined.toStdString();
}

TEST(CallRecord, ArrivalTextTakesThisYearAndTheNoticesMonthDayAndTime)
{
    using callerid::CallRecord;
    EXPECT_EQ(CallRecord::arrivalText(QDate(2026, 12, 9), "12-09", "10:30"), "2026/12/09 10:30");
    EXPECT_EQ(CallRecord::arrivalText(QDate(2027, 1, 1), "12-31", "23:59"), "2026/12/31 23:59");
    EXPECT_EQ(CallRecord::arrivalText(QDate(2027, 1, 1), "01-01", "00:01"), "2027/01/01 00:01");
    EXPECT_EQ(CallRecord::arrivalText(QDate(2027, 3, 1), "3", ""), "2027/3/ ");
}

TEST(CallRecord, TheNewestCallGoesLastAndTheOldestGoesOnceTwentyAreKept)
{
    using callerid::CallRecord;
    data::CallInfoFile calls;
    for (int code = 1; code <= 21; ++code) {
        data::CallInfoEntry call;
        call.kokCode = code;
        CallRecord::push(calls, call);
    }
    EXPECT_EQ(calls.entries.front().kokCode, 2);
    EXPECT_EQ(calls.entries.back().kokCode, 21);
    EXPECT_EQ(callerid::CallHistoryRow::rowsOf(calls).size(), 20u);

    data::CallInfoFile fewer;
    data::CallInfoEntry call;
    call.kokCode = 12;
    call.ownerName1 = "葛飾";
    call.ownerName2 = "太郎";
    CallRecord::push(fewer, call);
    const std::vector<callerid::CallHistoryRow> rows = callerid::CallHistoryRow::rowsOf(fewer);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].codeText, "000012");
    EXPECT_EQ(rows[0].name, "葛飾太郎");
}

TEST(CallRecord, TextsLongerThanTheirFieldsAreCutSoTheFileCanBeWritten)
{
    data::CallInfoEntry caller;
    caller.kokCode = 1;
    caller.ownerName1 = QString(15, QChar(u'長')); // 30 bytes for a 20-byte field
    caller.ownerJyu1 = QString(40, 'A');
    const data::CallInfoEntry call = callerid::CallRecord::entry(caller, "2026/12/09 10:30");
    EXPECT_EQ(call.ownerName1, QString(10, QChar(u'長')));
    EXPECT_EQ(call.ownerJyu1, QString(30, 'A'));
    data::CallInfoFile calls;
    callerid::CallRecord::push(calls, call);
    QString refusal;
    EXPECT_FALSE(calls.toBytes(&refusal).isEmpty()) << refusal.toStdString();
}

TEST(CallInfoStore, AFileHeldElsewhereIsWrittenOnceFreeWithoutStoppingTheEventLoop)
{
    CallerIdTestShop shop;
    const QString path = shop.folder.folder.file("018.dat");
    auto held = std::make_unique<SharedFile>();
    ASSERT_TRUE(held->open(path, FileMode::ReadWrite | FileMode::ShareExclusive));

    data::CallInfoEntry call;
    call.kokCode = 42;
    call.arrival = "2026/12/09 10:30";
    QSignalSpy saved(shop.calls.get(), &callerid::CallInfoStore::saved);
    shop.calls->record(call);
    EXPECT_EQ(shop.calls->calls().entries.back().kokCode, 42); // kept in memory at once
    EXPECT_TRUE(shop.calls->savePending());
    EXPECT_EQ(shop.callFile().entries.back().kokCode, 0);

    // A second call while waiting goes with the same write.
    call.kokCode = 43;
    shop.calls->record(call);
    QCoreApplication::processEvents();
    QTest::qWait(40);
    held.reset();
    EXPECT_TRUE(saved.wait(1000));
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(shop.callFile().entries[18].kokCode, 42);
    EXPECT_EQ(shop.callFile().entries[19].kokCode, 43);
    EXPECT_TRUE(shop.folder.messages.messages().isEmpty());
}

TEST(CallInfoStore, GivesUpAfterTheTimeoutWithTheFileErrorAndKeepsTheCallsInMemory)
{
    CallerIdTestShop shop;
    const QString path = shop.folder.folder.file("018.dat");
    SharedFile held;
    ASSERT_TRUE(held.open(path, FileMode::ReadWrite | FileMode::ShareExclusive));
    data::CallInfoEntry call;
    call.kokCode = 42;
    shop.calls->record(call);
    QTRY_VERIFY_WITH_TIMEOUT(!shop.calls->savePending(), 2000);
    ASSERT_EQ(shop.folder.messages.messages().size(), 1);
    EXPECT_TRUE(shop.folder.messages.messages().front().contains("018.dat"));
    EXPECT_EQ(shop.calls->calls().entries.back().kokCode, 42);

    // Reading the file again while it is held elsewhere gives up as well.
    EXPECT_FALSE(shop.calls->reload());
    EXPECT_EQ(shop.calls->calls().entries.back().kokCode, 42);
}

namespace {

struct RecordingPlayer final : callerid::RingSoundPlayer {
    QByteArray sound;
    int plays = 0;
    void setSound(const QByteArray& wave) override { sound = wave; }
    void play() override { ++plays; }
};

} // namespace

TEST(RingSound, LoadsTheWholeFileAndPlaysItOnlyWhileOnAndLoaded)
{
    test::TempFolder folder;
    const QByteArray wave = "RIFF\x24\0\0\0WAVEfmt " + QByteArray(200, 'x');
    ASSERT_TRUE(folder.write("ring.wav", wave));
    ASSERT_TRUE(folder.write("empty.wav", {}));
    test::RecordingMessageGateway messages;
    RecordingPlayer player;
    callerid::RingSound sound(&player);

    sound.PlayRingSound();
    EXPECT_EQ(player.plays, 0);
    ASSERT_TRUE(sound.LoadRingSound(folder.file("ring.wav")));
    EXPECT_EQ(player.sound, wave);
    sound.PlayRingSound();
    EXPECT_EQ(player.plays, 1);
    sound.setEnabled(false);
    sound.PlayRingSound();
    EXPECT_EQ(player.plays, 1);

    EXPECT_FALSE(sound.LoadRingSound(folder.file("empty.wav")));
    EXPECT_EQ(messages.messages().value(0), callerid::CallerIdTexts::SoundReadFailed);
    EXPECT_TRUE(player.sound.isEmpty()); // the sound before is gone
    EXPECT_FALSE(sound.LoadRingSound(folder.file("missing.wav")));
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_TRUE(messages.messages()[1].contains("missing.wav"));
}

namespace {

// The adapter's port mapped to a device that is not there.
struct MissingAdapter {
    test::TempFolder folder;
    QByteArray previousIni = qgetenv("SABION_INSTALL_INI");
    QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");

    MissingAdapter()
    {
        InstallSettings settings(folder.file("install.ini"));
        settings.setSerialDevice(2, folder.file("no-such-tty"));
        settings.sync();
        qputenv("SABION_INSTALL_INI", folder.file("install.ini").toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    }
    ~MissingAdapter()
    {
        qputenv("SABION_INSTALL_INI", previousIni);
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }
};

} // namespace

TEST(CallerIdStart, AMissingAdapterAsksAndYesGoesOnWithoutCallerIdAndPortNone)
{
    MissingAdapter adapter;
    for (const bool yes : {false, true}) {
        CallerIdTestShop shop;
        shop.doc->settings().callerId().port = 2;
        ASSERT_TRUE(shop.doc->settings().SaveSettingsFile(data::SettingsFileId::CallerId));
        callerid::CallerIdService::Setup setup;
        setup.settings = &shop.doc->settings();
        setup.lookup = shop.lookup.get();
        setup.calls = shop.calls.get();
        callerid::CallerIdService service(setup);

        shop.folder.messages.answerNext(yes);
        EXPECT_EQ(service.StartCallerId(), yes);
        EXPECT_EQ(shop.folder.messages.questions(),
                  QStringList{callerid::CallerIdTexts::adapterMissing(2)});
        EXPECT_FALSE(service.isWatching());
        const data::CallerIdSettings stored = data::CallerIdSettings::fromBytes(
            shop.folder.folder.read(QStringLiteral("017.dat")));
        EXPECT_EQ(stored.port, yes ? 0 : 2);
        EXPECT_EQ(shop.doc->settings().callerId().port, yes ? 0 : 2);
    }
}

TEST(CallerIdStart, AClientOrAShopWithoutAPortStartsNothing)
{
    CallerIdTestShop shop;
    callerid::CallerIdService::Setup setup;
    setup.settings = &shop.doc->settings();
    setup.lookup = shop.lookup.get();
    setup.calls = shop.calls.get();
    {
        callerid::CallerIdService service(setup);
        EXPECT_TRUE(service.StartCallerId());
        EXPECT_FALSE(service.isWatching());
    }
    shop.doc->settings().callerId().port = 1;
    setup.isClient = true;
    callerid::CallerIdService client(setup);
    EXPECT_TRUE(client.StartCallerId());
    EXPECT_FALSE(client.isWatching());
    EXPECT_TRUE(shop.folder.messages.questions().isEmpty());
}
