#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"
#include "data/settings/DefaultSettings.h"
#include "data/settings/PrintPositionFileName.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/UserProfile.h"
#include "data/settings/platform/CupsDefaultPrinter.h"
#include "ExpectedBytes.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

using kv::test::ExpectedBytes;
using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;
using namespace kv::data;
using kv::RetryClock;
using kv::RetryTiming;
using kv::test::u;

namespace {

QString fileError(const QString& path, int cause)
{
    QString text;
    CFileSetErrStr(text, path, cause);
    return text;
}

// Time that passes only when the code under test waits; each wait may run
// an action, such as releasing a file another computer holds.
class FakeClock final : public RetryClock {
public:
    void restart() override { m_now = 0; }
    qint64 elapsedMs() const override { return m_now; }
    void sleepMs(int ms) override
    {
        m_now += ms;
        ++m_sleeps;
        if (m_onSleep)
            m_onSleep(m_sleeps);
    }
    int sleeps() const { return m_sleeps; }
    void onSleep(std::function<void(int)> action) { m_onSleep = std::move(action); }

private:
    qint64 m_now = 0;
    int m_sleeps = 0;
    std::function<void(int)> m_onSleep;
};

class FixedPrinter final : public DefaultPrinterSource {
public:
    explicit FixedPrinter(Result result, PrinterIdentity printer = {})
        : m_result(result)
        , m_printer(std::move(printer))
    {
    }
    Result defaultPrinter(PrinterIdentity* printer) const override
    {
        *printer = m_printer;
        return m_result;
    }

private:
    Result m_result;
    PrinterIdentity m_printer;
};

PrinterIdentity localPrinter(const char* name)
{
    PrinterIdentity p;
    p.name = u(name);
    return p;
}

constexpr unsigned kReader = kv::FileMode::Read | kv::FileMode::ShareDenyWrite;
constexpr unsigned kExclusive = kv::FileMode::ReadWrite | kv::FileMode::ShareExclusive;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QDir(m_folder.path()).mkdir("Printer"));
        m_store.setRetryClock(m_clock, RetryTiming{});
    }
    QString path(const char* name) const { return m_folder.file(u(name)); }
    // Another computer holding the file open until release().
    void hold(const char* name, unsigned mode)
    {
        m_holder = std::make_unique<kv::SharedFile>();
        ASSERT_TRUE(m_holder->open(path(name), mode | kv::FileMode::Create | kv::FileMode::NoTruncate));
    }
    void releaseAfter(int sleeps)
    {
        m_clock.onSleep([this, sleeps](int n) {
            if (n == sleeps)
                m_holder.reset();
        });
    }

    TempFolder m_folder;
    FakeClock m_clock;
    SettingsStore m_store{m_folder.path()};
    RecordingMessageGateway m_messages;
    std::unique_ptr<kv::SharedFile> m_holder;
};

} // namespace

TEST_F(SettingsStoreTest, SaveWritesAtOffsetZeroCreatingButNeverTruncating)
{
    m_store.rounding().taxRate = 0.08;
    ASSERT_TRUE(m_store.SaveSettingsFile(SettingsFileId::Rounding));
    EXPECT_EQ(m_folder.read("002.dat"), ExpectedBytes(256).hex(0, "7b 14 ae 47 e1 7a b4 3f").bytes());

    // An oversize file keeps its tail: only the record is rewritten.
    ASSERT_TRUE(m_folder.write("001.dat", QByteArray(300, 'q')));
    m_store.general().lastRecordedSlipNo = 7;
    ASSERT_TRUE(m_store.SaveSettingsFile(SettingsFileId::General));
    const QByteArray written = m_folder.read("001.dat");
    EXPECT_EQ(written.size(), 300);
    EXPECT_EQ(written.left(256), ExpectedBytes(256).i32(4, 7).bytes());
    EXPECT_EQ(written.mid(256), QByteArray(44, 'q'));
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SettingsStoreTest, EveryFileLoadsWhatWasSaved)
{
    m_store.general().defaultPrefecture = 12;
    m_store.rounding().labour = {2, 1};
    m_store.print().colourInk = 1;
    m_store.shop().shopName = u("サビオン自動車");
    m_store.bitmapNames().paths[1] = u("/srv/hagaki.bmp");
    m_store.categories().names[15] = u("鈑金");
    m_store.transportOffices().setEntry(19, u("袖ヶ浦"));
    m_store.vehicleClasses().setEntry(3, u("軽自動車"));
    m_store.vehicleUses().setEntry(1, u("乗用"));
    m_store.bodyShapes().setEntry(60, u("箱型"));
    m_store.makes().setEntry(1, u("トヨタ"));
    m_store.fuels().setEntry(20, u("軽油"));
    m_store.callerId().port = 6;
    m_store.callInfo().entries[0].tel1 = u("0311112222");
    const SettingsFileId all[] = {
        SettingsFileId::General,        SettingsFileId::Rounding,         SettingsFileId::Print,
        SettingsFileId::Shop,           SettingsFileId::BitmapNames,      SettingsFileId::TransportOffices,
        SettingsFileId::Categories,     SettingsFileId::VehicleClasses,   SettingsFileId::VehicleUses,
        SettingsFileId::BodyShapes,     SettingsFileId::Makes,            SettingsFileId::Fuels,
        SettingsFileId::CallerId,       SettingsFileId::CallInfo,
    };
    for (SettingsFileId id : all) {
        ASSERT_TRUE(m_store.SaveSettingsFile(id)) << SettingsFileRules::of(id).fileName;
        EXPECT_EQ(QFileInfo(m_store.pathOf(id)).size(), SettingsFileRules::of(id).size);
    }
    SettingsStore other(m_folder.path());
    other.setRetryClock(m_clock, RetryTiming{});
    for (SettingsFileId id : all)
        ASSERT_TRUE(other.LoadSettingsFile(id)) << SettingsFileRules::of(id).fileName;
    EXPECT_EQ(other.general(), m_store.general());
    EXPECT_EQ(other.rounding(), m_store.rounding());
    EXPECT_EQ(other.print(), m_store.print());
    EXPECT_EQ(other.shop(), m_store.shop());
    EXPECT_EQ(other.bitmapNames(), m_store.bitmapNames());
    EXPECT_EQ(other.categories(), m_store.categories());
    EXPECT_EQ(other.transportOffices(), m_store.transportOffices());
    EXPECT_EQ(other.vehicleClasses(), m_store.vehicleClasses());
    EXPECT_EQ(other.vehicleUses(), m_store.vehicleUses());
    EXPECT_EQ(other.bodyShapes(), m_store.bodyShapes());
    EXPECT_EQ(other.makes(), m_store.makes());
    EXPECT_EQ(other.fuels(), m_store.fuels());
    EXPECT_EQ(other.callerId(), m_store.callerId());
    EXPECT_EQ(other.callInfo(), m_store.callInfo());
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SettingsStoreTest, MissingFileShowsTheFileErrorAndKeepsTheRecord)
{
    m_store.rounding().taxRate = 0.10;
    EXPECT_FALSE(m_store.LoadSettingsFile(SettingsFileId::Rounding));
    EXPECT_DOUBLE_EQ(m_store.rounding().taxRate, 0.10);
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages().at(0), fileError(path("002.dat"), kv::FileCause::FileNotFound));
}

TEST_F(SettingsStoreTest, TextThatDoesNotFitIsRefusedAndNothingIsWritten)
{
    ASSERT_TRUE(m_folder.write("004.dat", QByteArray(1024, 'k')));
    m_store.shop().shopName = QString(31, QLatin1Char('A'));
    EXPECT_FALSE(m_store.SaveSettingsFile(SettingsFileId::Shop));
    EXPECT_EQ(m_folder.read("004.dat"), QByteArray(1024, 'k'));
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_TRUE(m_messages.messages().at(0).startsWith(u("自社名は30バイト")))
        << m_messages.messages().at(0).toStdString();
}

// Who waits for a file another computer holds, and for how long.
TEST_F(SettingsStoreTest, SharingViolationsFollowEachFilesRetryRule)
{
    struct Case {
        const char* what;
        SettingsFileId file;
        bool save;
        unsigned holderMode;
        int releaseAfter; // waits before the holder lets go; 0 never
        bool succeeds;
        int expectedSleeps;
        bool message;
    };
    const Case cases[] = {
        // Blocks and list loads wait beyond the minute until they succeed.
        {"001 save behind a reader", SettingsFileId::General, true, kReader, 100, true, 100, false},
        {"004 load behind a writer", SettingsFileId::Shop, false, kExclusive, 75, true, 75, false},
        {"013 load behind a writer", SettingsFileId::Makes, false, kExclusive, 61, true, 61, false},
        // List saves give up silently after 60 seconds of one-second waits.
        {"012 save behind a reader", SettingsFileId::BodyShapes, true, kReader, 0, false, 60, false},
        {"006 save behind a reader", SettingsFileId::TransportOffices, true, kReader, 0, false, 60, false},
        {"011 save, released in time", SettingsFileId::VehicleUses, true, kReader, 59, true, 59, false},
        // The print, bitmap and category files are not retried.
        {"003 load behind an exclusive holder", SettingsFileId::Print, false, kExclusive, 0, false, 0, true},
        {"005 save behind an exclusive holder", SettingsFileId::BitmapNames, true, kExclusive, 0, false, 0, true},
        {"009 load behind an exclusive holder", SettingsFileId::Categories, false, kExclusive, 0, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingsFileRules& rules = SettingsFileRules::of(c.file);
        ASSERT_TRUE(m_folder.write(rules.fileName, QByteArray(rules.size, '\0')));
        FakeClock clock;
        m_store.setRetryClock(clock, RetryTiming{});
        m_clock.onSleep({});
        m_holder = std::make_unique<kv::SharedFile>();
        ASSERT_TRUE(m_holder->open(m_store.pathOf(c.file), c.holderMode));
        // The holder lets go at last in any case, so a wrong rule fails the
        // case instead of waiting for ever.
        clock.onSleep([&](int n) {
            if (n == c.releaseAfter || n == 1000)
                m_holder.reset();
        });
        m_messages.clear();
        const bool ok = c.save ? m_store.SaveSettingsFile(c.file) : m_store.LoadSettingsFile(c.file);
        EXPECT_EQ(ok, c.succeeds);
        EXPECT_EQ(clock.sleeps(), c.expectedSleeps);
        if (c.message) {
            ASSERT_EQ(m_messages.messages().size(), 1);
            EXPECT_EQ(m_messages.messages().at(0),
                      fileError(m_store.pathOf(c.file), kv::FileCause::SharingViolation));
        } else {
            EXPECT_TRUE(m_messages.messages().isEmpty());
        }
        m_holder.reset();
        m_store.setRetryClock(m_clock, RetryTiming{});
    }
}

TEST_F(SettingsStoreTest, WriterWaitsOnTheWallClockForAReaderToLetGo)
{
    ASSERT_TRUE(m_folder.write("017.dat", QByteArray(1024, '\0')));
    SettingsStore store(m_folder.path());
    store.setRetryClock(RetryClock::system(), RetryTiming{5, 60000});
    kv::SharedFile reader;
    ASSERT_TRUE(reader.open(path("017.dat"), kReader));
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        reader.close();
    });
    store.callerId().port = 2;
    const bool saved = store.SaveSettingsFile(SettingsFileId::CallerId);
    releaser.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(m_folder.read("017.dat"), ExpectedBytes(1024).i32(0, 2).bytes());
}

TEST_F(SettingsStoreTest, PrintPositionFiles)
{
    // Missing: -1 without a message.
    EXPECT_EQ(m_store.LoadPrintPositions("PC1LBP3000.dat"), -1);
    EXPECT_TRUE(m_messages.messages().isEmpty());

    // Saving writes the 13 integers into a zeroed 256-byte record.
    m_store.print().positions = PrintPositions::defaults();
    m_store.print().colourInk = 1; // not part of the position file
    ASSERT_EQ(m_store.SavePrintPositions("PC1LBP3000.dat"), 1);
    EXPECT_EQ(m_folder.read("Printer/PC1LBP3000.dat"),
              ExpectedBytes(256).i32(0, -1).i32(4, -3).i32(8, 8).i32(12, 5).i32(16, -2)
                  .i32(32, 1050).i32(36, 1480).i32(40, 2100).bytes());

    // Loading copies them into the print settings and nothing else.
    ASSERT_TRUE(m_folder.write("Printer/B.dat", ExpectedBytes(256).i32(0, 11).i32(48, 22).i32(52, 99).bytes()));
    EXPECT_EQ(m_store.LoadPrintPositions("B.dat"), 1);
    EXPECT_EQ(m_store.print().positions.postcard[0], 11);
    EXPECT_EQ(m_store.print().positions.labelY, 22);
    EXPECT_EQ(m_store.print().positions.upperFold, 0);
    EXPECT_EQ(m_store.print().colourInk, 1);

    // Busy for the whole minute: 0 without a message.
    hold("Printer/B.dat", kExclusive);
    EXPECT_EQ(m_store.LoadPrintPositions("B.dat"), 0);
    EXPECT_EQ(m_store.SavePrintPositions("B.dat"), 0);
    EXPECT_EQ(m_clock.sleeps(), 120);
    EXPECT_TRUE(m_messages.messages().isEmpty());
    m_holder.reset();

    // Any other failure: 0 with the file error.
    ASSERT_TRUE(QDir(m_folder.file("Printer")).mkdir("Dir.dat"));
    EXPECT_EQ(m_store.LoadPrintPositions("Dir.dat"), 0);
    EXPECT_EQ(m_messages.messages().size(), 1);
}

TEST_F(SettingsStoreTest, StartWithoutAnyPositionFileWritesThePrintersFileWithDefaults)
{
    const FixedPrinter printer(DefaultPrinterSource::Result::Found, localPrinter("LBP 3000"));
    ASSERT_TRUE(m_store.loadDefaultPrinterPositions(printer, "PC1"));
    EXPECT_EQ(m_store.positionFileName(), u("PC1LBP3000.dat"));
    EXPECT_EQ(m_folder.read("Printer/PC1LBP3000.dat"),
              ExpectedBytes(256)
                  .i32(0, -1).i32(4, -3).i32(8, 8).i32(12, 5)
                  .i32(16, -2).i32(20, 0).i32(24, 0).i32(28, 0)
                  .i32(32, 1050).i32(36, 1480).i32(40, 2100)
                  .i32(44, 0).i32(48, 0)
                  .bytes());
    EXPECT_FALSE(QFileInfo::exists(m_folder.file("Printer/DefaultPos.dat")));
}

TEST_F(SettingsStoreTest, StartTakesDefaultPosAndOwnFileInThatOrder)
{
    const FixedPrinter printer(DefaultPrinterSource::Result::Found, localPrinter("LBP 3000"));
    const QByteArray shared = ExpectedBytes(256).i32(0, 5).i32(48, 6).bytes();
    ASSERT_TRUE(m_folder.write("Printer/DefaultPos.dat", shared));
    ASSERT_TRUE(m_store.loadDefaultPrinterPositions(printer, "PC1"));
    EXPECT_EQ(m_folder.read("Printer/PC1LBP3000.dat"), shared);

    const QByteArray own = ExpectedBytes(256).i32(0, 77).bytes();
    ASSERT_TRUE(m_folder.write("Printer/PC1LBP3000.dat", own));
    ASSERT_TRUE(m_store.loadDefaultPrinterPositions(printer, "PC1"));
    EXPECT_EQ(m_store.print().positions.postcard[0], 77);
    EXPECT_EQ(m_store.print().positions.labelY, 0);
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SettingsStoreTest, StartStopsWhenThePrintersPositionsCannotBeHad)
{
    const FixedPrinter printer(DefaultPrinterSource::Result::Found, localPrinter("LBP 3000"));
    ASSERT_TRUE(m_folder.write("Printer/PC1LBP3000.dat", QByteArray(256, '\0')));
    hold("Printer/PC1LBP3000.dat", kExclusive);
    EXPECT_FALSE(m_store.loadAtStart(printer, "PC1"));
    m_holder.reset();

    const FixedPrinter failing(DefaultPrinterSource::Result::Failed);
    EXPECT_FALSE(m_store.loadDefaultPrinterPositions(failing, "PC1"));
    EXPECT_FALSE(m_messages.messages().isEmpty());

    // Without a default printer nothing is loaded and nothing is written.
    m_store.print().positions.slipTop = 33;
    const FixedPrinter none(DefaultPrinterSource::Result::NoPrinter);
    EXPECT_TRUE(m_store.loadDefaultPrinterPositions(none, "PC1"));
    EXPECT_TRUE(m_store.positionFileName().isEmpty());
    EXPECT_EQ(m_store.print().positions.slipTop, 33);
    EXPECT_EQ(QDir(m_folder.file("Printer")).entryList(QDir::Files).size(), 1);
}

TEST_F(SettingsStoreTest, StartLoadsEverythingInOrderAndRunsOnPastMissingFiles)
{
    ASSERT_TRUE(writeDefaultSettings(m_folder.path()));
    ASSERT_TRUE(QFile::remove(path("004.dat")));
    ASSERT_TRUE(m_folder.write("017.dat", ExpectedBytes(1024).i32(0, 3).bytes()));
    QFile::remove(path("018.dat"));
    ASSERT_TRUE(m_folder.write("018.dat", ExpectedBytes(10240).i32(19 * 512, 42).bytes()));

    bool stepRan = false;
    const FixedPrinter printer(DefaultPrinterSource::Result::Found, localPrinter("LBP 3000"));
    ASSERT_TRUE(m_store.loadAtStart(printer, "PC1", [&] {
        stepRan = true;
        // The caller-ID step comes after "017.dat" and before "018.dat".
        EXPECT_EQ(m_store.callerId().port, 3);
        EXPECT_EQ(m_store.callInfo().entries[19].kokCode, 0);
    }));
    EXPECT_TRUE(stepRan);
    EXPECT_EQ(m_store.callInfo().entries[19].kokCode, 42);
    EXPECT_DOUBLE_EQ(m_store.rounding().taxRate, 0.10);
    EXPECT_EQ(m_store.categories().names[15], u("鈑金"));
    EXPECT_EQ(m_store.categories().names[16], u("塗装"));
    EXPECT_EQ(m_store.makes().entry(1), u("トヨタ"));
    EXPECT_EQ(m_store.print().positions, PrintPositions::defaults());
    // "004.dat" is missing: its message, and the default font.
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages().at(0), fileError(path("004.dat"), kv::FileCause::FileNotFound));
    EXPECT_EQ(m_store.shop().fontName, u("ＭＳ Ｐゴシック"));
}

TEST_F(SettingsStoreTest, ReloadByUpdateKind)
{
    ASSERT_TRUE(writeDefaultSettings(m_folder.path()));
    const FixedPrinter printer(DefaultPrinterSource::Result::Found, localPrinter("LBP 3000"));
    ASSERT_TRUE(m_store.loadAtStart(printer, "PC1"));

    // Another computer changes every file.
    SettingsStore other(m_folder.path());
    other.setRetryClock(m_clock, RetryTiming{});
    other.vehicleClasses().setEntry(7, u("種別X"));
    other.vehicleUses().setEntry(7, u("用途X"));
    other.bodyShapes().setEntry(7, u("形状X"));
    other.makes().setEntry(7, u("車名X"));
    other.fuels().setEntry(7, u("燃料X"));
    other.bitmapNames().paths[1] = u("new.bmp");
    other.rounding().taxRate = 0.08;
    other.general().agencyFeeTaxable = 1;
    other.general().defaultPrefecture = 12;
    other.shop().labourRate = 9200;
    other.transportOffices().setEntry(3, u("陸事X"));
    other.print().colourInk = 1;
    other.print().positions.slipTop = 40;
    for (SettingsFileId id : {SettingsFileId::VehicleClasses, SettingsFileId::VehicleUses,
                              SettingsFileId::BodyShapes, SettingsFileId::Makes, SettingsFileId::Fuels,
                              SettingsFileId::BitmapNames, SettingsFileId::Rounding, SettingsFileId::General,
                              SettingsFileId::Print, SettingsFileId::Shop, SettingsFileId::TransportOffices})
        ASSERT_TRUE(other.SaveSettingsFile(id));
    other.print().positions.slipTop = 41;
    ASSERT_EQ(other.SavePrintPositions("PC1LBP3000.dat"), 1);

    struct Case {
        const char* kind;
        SettingsUpdate update;
        std::function<QString()> seen;
        const char* expected;
    };
    const Case cases[] = {
        // No computer goes on billing at a rate another has changed.
        {"端数処理", SettingsUpdate::Rounding, [&] { return QString::number(m_store.rounding().taxRate); }, "0.08"},
        // Before the fee's kind, which reads the same file.
        {"郵便番号検索 標準都道府県", SettingsUpdate::General,
         [&] { return QString::number(m_store.general().defaultPrefecture); }, "12"},
        {"代行料 課税・非課税", SettingsUpdate::General,
         [&] { return QString::number(m_store.general().agencyFeeTaxable); }, "1"},
        {"名前", SettingsUpdate::None, [&] { return m_store.makes().entry(7); }, "スズキ"},
        {"種別", SettingsUpdate::VehicleClasses, [&] { return m_store.vehicleClasses().entry(7); }, "種別X"},
        {"用途", SettingsUpdate::VehicleUses, [&] { return m_store.vehicleUses().entry(7); }, "用途X"},
        {"形状", SettingsUpdate::BodyShapes, [&] { return m_store.bodyShapes().entry(7); }, "形状X"},
        {"車名", SettingsUpdate::Makes, [&] { return m_store.makes().entry(7); }, "車名X"},
        {"燃料", SettingsUpdate::Fuels, [&] { return m_store.fuels().entry(7); }, "燃料X"},
        {"自社情報", SettingsUpdate::Shop, [&] { return QString::number(m_store.shop().labourRate); }, "9200"},
        {"陸事", SettingsUpdate::TransportOffices, [&] { return m_store.transportOffices().entry(3); }, "陸事X"},
        {"ファイル名", SettingsUpdate::BitmapNames, [&] { return m_store.bitmapNames().paths[1]; }, "new.bmp"},
        // The printer's own file wins over the positions in "003.dat".
        {"印字", SettingsUpdate::PrintSettings,
         [&] { return QStringLiteral("%1,%2").arg(m_store.print().colourInk).arg(m_store.print().positions.slipTop); },
         "1,41"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_store.reloadForUpdate(u(c.kind)), c.update) << c.kind;
        EXPECT_EQ(c.seen(), u(c.expected)) << c.kind;
    }
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SettingsStoreTest, ChoosingAnotherPrinterLoadsOrCreatesItsFile)
{
    m_store.print().positions.slipTop = 9;
    ASSERT_TRUE(m_store.usePrinter(localPrinter("Laser 1"), "PC1"));
    EXPECT_EQ(m_store.positionFileName(), u("PC1Laser1.dat"));
    EXPECT_EQ(m_store.print().positions, PrintPositions::defaults());
    EXPECT_EQ(m_folder.read("Printer/PC1Laser1.dat"), PrintPositions::defaults().toFileBytes());

    ASSERT_TRUE(m_folder.write("Printer/PC1Ink.dat", ExpectedBytes(256).i32(16, 12).bytes()));
    ASSERT_TRUE(m_store.usePrinter(localPrinter("Ink"), "PC1"));
    EXPECT_EQ(m_store.print().positions.slipTop, 12);
}

TEST(PrintPositionFileName, FollowsThePrinterAndComputerNames)
{
    struct Case {
        const char* name;
        const char* server;
        const char* share;
        bool shared;
        const char* computer;
        const char* expected;
    };
    const Case cases[] = {
        {"LBP 3000", "", "", false, "PC1", "PC1LBP3000.dat"},
        {"経理用 Printer-2 (A4)", "", "", false, "PC1", "PC1Printer2A4.dat"},
        {"LBP 3000", "", "LBP", true, "PC1", "PC1LBP.dat"},
        {"lbp", "\\\\SV01", "LBP", true, "PC1", "SV01LBP.dat"},
        {"lbp", "printsrv", "office", true, "PC1", "printsrvoffice.dat"},
        // A share name from the network cannot lead out of the printer folder.
        {"x", "", "../../etc/a", true, "PC1", "PC1....etca.dat"},
        {"経理", "", "", false, "", "DefaultPos.dat"},
    };
    for (const Case& c : cases) {
        PrinterIdentity p;
        p.name = u(c.name);
        p.serverName = u(c.server);
        p.shareName = u(c.share);
        p.shared = c.shared;
        EXPECT_EQ(printPositionFileName(p, u(c.computer)), u(c.expected)) << c.name;
    }
}

TEST(CupsDefaultPrinter, ReadsTheDestinationsThatCupsClientsUse)
{
    EXPECT_EQ(CupsDefaultPrinter::defaultFromLpoptions("Dest a\nDefault LBP3000/duplex sides=two\n"),
              u("LBP3000"));
    EXPECT_EQ(CupsDefaultPrinter::defaultFromLpoptions("Dest a media=A4\n"), QString());
    const PrinterIdentity remote = CupsDefaultPrinter::identityOf("office@printsrv");
    EXPECT_EQ(remote.serverName, u("printsrv"));
    EXPECT_EQ(printPositionFileName(remote, "PC1"), u("printsrvoffice.dat"));
    const PrinterIdentity local = CupsDefaultPrinter::identityOf("LBP_3000");
    EXPECT_TRUE(local.serverName.isEmpty());
    EXPECT_EQ(printPositionFileName(local, "PC1"), u("PC1LBP3000.dat"));
}

TEST(DefaultSettings, FreshFolderGetsEveryFileAtItsSize)
{
    TempFolder folder;
    QString error;
    ASSERT_TRUE(writeDefaultSettings(folder.path(), &error)) << error.toStdString();
    struct Expected {
        const char* name;
        int size;
    };
    const Expected sizes[] = {
        {"001.dat", 256}, {"002.dat", 256},  {"003.dat", 256},   {"004.dat", 1024},
        {"005.dat", 2560}, {"006.dat", 160}, {"009.dat", 76},    {"010.dat", 496},
        {"011.dat", 496}, {"012.dat", 1952}, {"013.dat", 1952},  {"014.dat", 336},
        {"015.dat", 4},   {"017.dat", 1024}, {"018.dat", 10240},
    };
    for (const Expected& e : sizes)
        EXPECT_EQ(QFileInfo(folder.file(e.name)).size(), e.size) << e.name;
    for (int i = 50; i <= 61; ++i)
        EXPECT_EQ(folder.read(QStringLiteral("0%1.dat").arg(i)), QByteArray(960, '\0')) << i;
    for (int i = 100; i <= 103; ++i)
        EXPECT_EQ(folder.read(QStringLiteral("%1.dat").arg(i)), QByteArray::fromHex("a7913e5b")) << i;
    EXPECT_EQ(folder.read("015.dat"), QByteArray(4, '\0'));
    // The rounding file holds 10 % and round-down rules.
    EXPECT_EQ(folder.read("002.dat"), ExpectedBytes(256).hex(0, "9a 99 99 99 99 99 b9 3f").bytes());
    // Category 15 is 鈑金 and 16 塗装, masked.
    EXPECT_EQ(folder.read("009.dat").mid(60, 8), QByteArray::fromHex("bab8d6bdce35ccc8"));
}

TEST(DefaultSettings, RoundTripThroughTheStoreAndRefuseToOverwrite)
{
    TempFolder folder;
    ASSERT_TRUE(writeDefaultSettings(folder.path()));
    RecordingMessageGateway messages;
    SettingsStore store(folder.path());
    const FixedPrinter none(DefaultPrinterSource::Result::NoPrinter);
    ASSERT_TRUE(store.loadAtStart(none, "PC1"));
    ASSERT_TRUE(store.LoadSettingsFile(SettingsFileId::TransportOffices));
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_EQ(store.transportOffices().entry(0), u("品川"));
    EXPECT_EQ(store.vehicleClasses().entry(0), QString());
    EXPECT_EQ(store.general().defaultPrefecture, -1);
    EXPECT_EQ(store.print().positions, PrintPositions::defaults());

    const SettingsFileId saved[] = {
        SettingsFileId::General,    SettingsFileId::Rounding,   SettingsFileId::Print,
        SettingsFileId::Shop,       SettingsFileId::BitmapNames, SettingsFileId::TransportOffices,
        SettingsFileId::Categories, SettingsFileId::VehicleClasses, SettingsFileId::VehicleUses,
        SettingsFileId::BodyShapes, SettingsFileId::Makes,      SettingsFileId::Fuels,
        SettingsFileId::CallerId,   SettingsFileId::CallInfo,
    };
    for (SettingsFileId id : saved) {
        const QByteArray before = folder.read(SettingsFileRules::of(id).fileName);
        ASSERT_TRUE(store.SaveSettingsFile(id));
        EXPECT_EQ(folder.read(SettingsFileRules::of(id).fileName), before)
            << SettingsFileRules::of(id).fileName;
    }

    ASSERT_TRUE(folder.write("002.dat", "shop's own"));
    QString error;
    EXPECT_FALSE(writeDefaultSettings(folder.path(), &error));
    EXPECT_TRUE(error.contains(u("001.dat"))) << error.toStdString();
    EXPECT_EQ(folder.read("002.dat"), QByteArray("shop's own"));
}

TEST(UserProfile, IsTheKelvaneProfileOfSabion)
{
    TempFolder folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    {
        const auto profile = openUserProfile();
        EXPECT_EQ(profile->organizationName(), u("Kelvane"));
        EXPECT_EQ(profile->applicationName(), u("Sabion"));
        profile->setValue("Moto/DateWidth", 80);
    }
    EXPECT_TRUE(QFileInfo::exists(folder.file("Kelvane/Sabion.conf")));
    EXPECT_EQ(openUserProfile()->value("Moto/DateWidth").toInt(), 80);
}
