// The panel's everyday moves on a shop of size (100,000 customers, 200,000
// vehicles): the step to the neighbouring customer or vehicle in each search
// order, and a record shown by its code, near the beginning, in the middle
// and near the end of the tables. The orders are applied by the frame's own
// commands, so the recordsets stand exactly as they do in the program.
//
// "--plans" prints, before the benchmarks, every statement one step and one
// show issue in each order, with the engine's query plan.

#include "../data/AbortingGateway.h"
#include "../data/BenchDataFolder.h"

#include "app/frame/ApplicationFonts.h"
#include "app/frame/CommandAvailability.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/frame/FrameCommands.h"
#include "app/frame/FrameState.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/ReadSnapshot.h"
#include "data/settings/DefaultPrinterSource.h"
#include "data/settings/DefaultSettings.h"
#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/PanelLookup.h"
#include "records/panel/CFMainPanel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>

using kv::records::PanelLookup;
using kv::records::PanelLookupResult;

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "bench setup failed: %s\n", what);
        std::exit(1);
    }
}

class NoPrinter final : public kv::data::DefaultPrinterSource {
public:
    Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
};

class BenchHost final : public kv::records::PanelHost {
public:
    int mode() const override { return m_mode; }
    void SetCommandButtons(bool, bool, bool, bool, bool, bool, bool, bool, bool, bool) override {}
    int m_mode = kv::app::FrameState::CustomerCodeOrder;
};

// The frame's search modes, in the order the benchmarks loop through them.
enum Mode {
    kCustomerCodeOrder = kv::app::FrameState::CustomerCodeOrder,
    kReadingOrder = kv::app::FrameState::CustomerReadingOrder,
    kVehicleCodeOrder = kv::app::FrameState::VehicleCodeOrder,
    kPlateOrder = kv::app::FrameState::PlateNumberOrder,
};
enum Where { kStart, kMiddle, kEnd };
const char* const kWhereNames[] = {"start", "middle", "end"};
const char* const kModeNames[] = {"", "KokCode", "Furi", "CarCode", "Preno"};

bool stepsVehicles(int mode)
{
    return mode == kVehicleCodeOrder || mode == kPlateOrder;
}

// The document on a private copy of the generated data folder: opening it
// writes code tables, counters and settings, and the generated folder stays
// as the other benchmarks expect it.
class Shop {
public:
    Shop()
    {
        check(m_dir.isValid(), "temporary folder");
        const QDir generated(kv::bench::benchDataFolder());
        for (const QString& name : generated.entryList({QStringLiteral("*.mdb")}, QDir::Files))
            check(QFile::copy(generated.filePath(name), m_dir.filePath(name)), "copy of the data folder");
        check(kv::data::writeDefaultSettings(m_dir.path()), "settings");
        for (const char* sub : {"Temp", "Photo", "Printer"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));

        kv::data::DocumentConfig config;
        config.dataFolder = m_dir.path();
        config.programFolder = m_dir.filePath(QStringLiteral("program"));
        config.computerName = QStringLiteral("Server");
        config.printers = &m_printers;
        config.checkDiskSpaceForWrite = [] { return true; };
        m_doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config);
        check(m_doc->OpenAllDatabases(), "open");
        // The generated customers have no referrer; here every one has, so
        // each step and show takes the longest way, the referrer's name
        // looked up as well.
        const int customers = kv::bench::BenchSizes{}.customers;
        check(m_doc->store().mainConnection().execute(
                  "UPDATE f010.Kok SET SyoukaiKokCode = (KokCode * 7919) % "
                  + QByteArray::number(customers) + " + 1"),
              "referrers");
        m_source = std::make_unique<kv::records::DocumentPanelSource>(*m_doc);
        m_records = std::make_unique<kv::app::DocumentFrameRecords>(*m_doc);
        m_commands.setRecords(m_records.get());
    }

    kv::data::CCarMaintenanceDoc& doc() { return *m_doc; }
    kv::records::DocumentPanelSource& source() { return *m_source; }

    // The order of a search mode as the frame applies it, once.
    void applyOrder(int mode)
    {
        if (mode == m_appliedMode)
            return;
        applyOrderAgain(mode);
    }
    void applyOrderAgain(int mode)
    {
        m_commands.SetSearchOrder(mode);
        m_appliedMode = mode;
        m_positions = {};
    }

    // The code of the customer (modes 1, 2) or vehicle (modes 3, 4) at the
    // place in the mode's order: the second row, the middle one, the last
    // but one, so that both neighbours exist.
    int codeAt(int mode, Where where)
    {
        applyOrder(mode);
        if (m_positions[0] == 0)
            m_positions = stepsVehicles(mode) ? positionCodes(m_doc->vehicles(), &CDaoCarSet::m_CarCode)
                                              : positionCodes(m_doc->customers(), &CDaoKokSet::m_KokCode);
        return m_positions[where];
    }

private:
    template <typename Set, typename Member>
    static std::array<int, 3> positionCodes(Set& set, Member code)
    {
        const long count = set.GetRecordCount();
        check(count >= 4, "rows in the order");
        const std::array<long, 3> wanted{1, count / 2, count - 2};
        std::array<int, 3> codes{};
        kv::data::ReadSnapshot snapshot(set.connection());
        check(set.MoveFirst(), "first row");
        long position = 0;
        for (size_t i = 0; i < wanted.size(); ++i) {
            while (position < wanted[i]) {
                check(set.MoveNext(), "walk");
                ++position;
            }
            codes[i] = int(set.*code);
        }
        return codes;
    }

    QTemporaryDir m_dir;
    NoPrinter m_printers;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> m_doc;
    std::unique_ptr<kv::records::DocumentPanelSource> m_source;
    std::unique_ptr<kv::app::DocumentFrameRecords> m_records;
    kv::app::FrameState m_state;
    kv::app::CommandAvailability m_availability{m_state, false, [] { return 0; }};
    kv::app::FrameCommands m_commands{m_state, m_availability, QStringLiteral("Server")};
    int m_appliedMode = 0;
    std::array<int, 3> m_positions{};
};

Shop& shop()
{
    static Shop instance;
    return instance;
}

void expectShown(const PanelLookupResult& result)
{
    if (!result.ok) {
        std::fprintf(stderr, "look-up failed: %s\n", result.message.toUtf8().constData());
        std::abort();
    }
}

PanelLookupResult step(PanelLookup& lookup, int mode, int shownCode, bool next)
{
    const auto direction = next ? PanelLookup::Direction::Next : PanelLookup::Direction::Previous;
    return stepsVehicles(mode) ? lookup.stepVehicle(shownCode, direction)
                               : lookup.stepCustomer(shownCode, direction);
}

PanelLookupResult show(PanelLookup& lookup, int mode, int code)
{
    return stepsVehicles(mode) ? lookup.vehicle(code) : lookup.customer(code);
}

// One step from the same shown record, over and over: Previous or Next as
// the user presses it, the record found, its owner or first vehicle and the
// referrer's name filled in.
void stepFrom(benchmark::State& state, int mode, Where where, bool next)
{
    const int code = shop().codeAt(mode, where);
    PanelLookup lookup(shop().source());
    for (auto _ : state) {
        const PanelLookupResult result = step(lookup, mode, code, next);
        expectShown(result);
        benchmark::DoNotOptimize(result.values);
    }
}

// ShowCustomer (modes 1, 2) or ShowVehicle (modes 3, 4) by code.
void showByCode(benchmark::State& state, int mode, Where where)
{
    const int code = shop().codeAt(mode, where);
    PanelLookup lookup(shop().source());
    for (auto _ : state) {
        const PanelLookupResult result = show(lookup, mode, code);
        expectShown(result);
        benchmark::DoNotOptimize(result.values);
    }
}

// A search that changes the order: both recordsets requeried in the new
// order, then the record found shown (its first look-up builds the
// recordset's position table anew).
void applyOrderAndShow(benchmark::State& state, int mode)
{
    const int code = shop().codeAt(mode, kMiddle);
    PanelLookup lookup(shop().source());
    for (auto _ : state) {
        shop().applyOrderAgain(mode);
        expectShown(show(lookup, mode, code));
    }
}

// The real panel, shown offscreen: Next and Previous in turn from the
// middle, so it stays in place, with the fields filled and painted.
void panelSteps(benchmark::State& state, int mode)
{
    Shop& s = shop();
    const int code = s.codeAt(mode, kMiddle);
    BenchHost host;
    host.m_mode = mode;
    kv::records::CFMainPanel panel(s.source(), s.doc().settings(), host);
    panel.resize(panel.sizeHint());
    panel.show();
    QApplication::processEvents();
    const bool shown = stepsVehicles(mode) ? panel.ShowVehicle(code, true) : panel.ShowCustomer(code, true);
    check(shown, "panel shows the record");
    QApplication::processEvents();
    bool next = true;
    for (auto _ : state) {
        const bool stepped = stepsVehicles(mode) ? panel.StepVehicle(next) : panel.StepCustomer(next);
        check(stepped, "panel steps");
        QApplication::processEvents();
        next = !next;
    }
}

// The statements the engine runs for one step and one show in each order,
// each with its query plan.
struct StatementLog {
    std::set<std::string> statements;
    static int traced(unsigned, void* log, void* statement, void*)
    {
        static_cast<StatementLog*>(log)->statements.insert(sqlite3_sql(static_cast<sqlite3_stmt*>(statement)));
        return 0;
    }
};

void printPlans()
{
    Shop& s = shop();
    sqlite3* db = s.doc().store().mainConnection().handle();
    for (int mode = kCustomerCodeOrder; mode <= kPlateOrder; ++mode) {
        const int code = s.codeAt(mode, kMiddle);
        PanelLookup lookup(s.source());
        expectShown(show(lookup, mode, code)); // the position table is built outside the log
        StatementLog log;
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &StatementLog::traced, &log);
        expectShown(step(lookup, mode, code, true));
        expectShown(show(lookup, mode, code));
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
        std::printf("== order %d (%s)\n", mode, kModeNames[mode]);
        for (const std::string& sql : log.statements) {
            std::printf("%s\n", sql.c_str());
            sqlite3_stmt* plan = nullptr;
            if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &plan, nullptr) != SQLITE_OK) {
                std::printf("   (no plan: %s)\n", sqlite3_errmsg(db));
                continue;
            }
            while (sqlite3_step(plan) == SQLITE_ROW)
                std::printf("   %s\n", reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
            sqlite3_finalize(plan);
        }
    }
}

void registerAll()
{
    const auto add = [](const std::string& name, std::function<void(benchmark::State&)> run) {
        benchmark::RegisterBenchmark(name.c_str(), [run](benchmark::State& state) { run(state); })
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    };
    for (int mode = kCustomerCodeOrder; mode <= kPlateOrder; ++mode) {
        const std::string order = kModeNames[mode];
        const std::string subject = stepsVehicles(mode) ? "Vehicle" : "Customer";
        for (Where where : {kStart, kMiddle, kEnd}) {
            for (bool next : {false, true})
                add("Step" + subject + "/" + order + "/" + kWhereNames[where] + (next ? "/next" : "/previous"),
                    [=](benchmark::State& state) { stepFrom(state, mode, where, next); });
        }
        for (Where where : {kStart, kMiddle, kEnd})
            add("Show" + subject + "/" + order + "/" + kWhereNames[where],
                [=](benchmark::State& state) { showByCode(state, mode, where); });
        add("ApplyOrderAndShow/" + order, [=](benchmark::State& state) { applyOrderAndShow(state, mode); });
        add("PanelStep" + subject + "/" + order + "/middle",
            [=](benchmark::State& state) { panelSteps(state, mode); });
    }
}

// The offscreen platform says so on every window size change.
void dropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toUtf8().constData());
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(dropSizeHintNotes);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kv::app::ApplicationFonts::install();
    kv::bench::AbortingGateway gateway;
    kv::installMessageGateway(&gateway);

    bool plans = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plans") == 0)
            plans = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;

    // The data folder is copied and opened before anything is timed.
    shop();
    if (plans)
        printPlans();
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kv::installMessageGateway(nullptr);
    return 0;
}
