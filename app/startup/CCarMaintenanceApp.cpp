#include "app/startup/CCarMaintenanceApp.h"

#include "controls/MessageBoxGateway.h"
#include "app/firststart/CFirstStartDlg.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/DocumentFrameRecords.h"
#include "lan/net/CListeningSocket.h"
#include "common/DiskSpaceCheck.h"
#include "app/startup/DocumentLifecycle.h"
#include "app/startup/DocumentRecordService.h"
#include "app/startup/InstanceLock.h"
#include "app/startup/LanSession.h"
#include "app/startup/StartupSequence.h"
#include "app/startup/StartupTexts.h"
#include "app/startup/platform/SystemFolderMaker.h"
#include "app/wiring/CallerIdCommands.h"
#include "app/wiring/CallerIdSystem.h"
#include "app/wiring/BackupCommands.h"
#include "app/wiring/DialogSearchEntry.h"
#include "app/wiring/LanCommands.h"
#include "app/wiring/LedgerCommands.h"
#include "app/wiring/MasterCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/PanelPickLists.h"
#include "app/wiring/PendingCommands.h"
#include "app/wiring/ReportCommands.h"
#include "app/wiring/SetWindows.h"
#include "app/wiring/SettingsWindows.h"
#include "app/wiring/SlipCommands.h"
#include "common/InstallSettings.h"
#include "common/KVCommon.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/UserProfile.h"
#include "masters/core/DocumentItemStore.h"
#include "print/QtPrinterAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

namespace kv::app {

struct CCarMaintenanceApp::Parts {
    MessageBoxGateway messages;
    InstanceLock lock{StartupTexts::InstanceName};
    InstallSettings installation;
    SystemFolderMaker folders;
    lan::CListeningSocket listener;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<DiskSpaceCheck> diskSpace;
    std::unique_ptr<data::CCarMaintenanceDoc> document;
    std::unique_ptr<CallerIdSystem> callerId;
    std::unique_ptr<DocumentRecordService> records;
    std::unique_ptr<DocumentLifecycle> lifecycle;
    std::unique_ptr<DocumentFrameRecords> frameRecords;
    std::unique_ptr<print::QtPrinterAccess> printers;
    std::unique_ptr<masters::DocumentItemStore> items;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DialogSearchEntry> searchEntry;
    std::unique_ptr<PanelFrameBridge> panel;
    std::unique_ptr<PanelPickLists> pickLists;
    std::unique_ptr<SetWindows> sets;
    std::unique_ptr<SettingsWindows> settings;
    std::unique_ptr<MasterCommands> masters;
    std::unique_ptr<ReportCommands> reports;
    std::unique_ptr<PendingCommands> pending;
    std::unique_ptr<SlipCommands> slips;
    std::unique_ptr<LanSession> lan;
    std::unique_ptr<LanCommands> lanReceivers;
    std::unique_ptr<CallerIdCommands> callerIdCommands;
    std::unique_ptr<BackupCommands> backup;
    std::unique_ptr<LedgerCommands> ledger;
};

CCarMaintenanceApp::CCarMaintenanceApp()
    : m_parts(std::make_unique<Parts>())
{
    installMessageGateway(&m_parts->messages);
}

CCarMaintenanceApp::~CCarMaintenanceApp()
{
    // The window goes before the document it works on, the panel and the
    // commands registered with the window before the window.
    m_parts->lanReceivers.reset();
    m_parts->callerIdCommands.reset();
    m_parts->backup.reset();
    m_parts->ledger.reset();
    m_parts->slips.reset();
    m_parts->pending.reset();
    m_parts->masters.reset();
    m_parts->sets.reset();
    m_parts->pickLists.reset();
    m_parts->settings.reset();
    m_parts->panel.reset();
    m_parts->frame.reset();
    installMessageGateway(nullptr);
}

CMainFrame* CCarMaintenanceApp::mainFrame() const
{
    return m_parts->frame.get();
}

bool CCarMaintenanceApp::InitInstance()
{
    Parts& parts = *m_parts;
    if (!firstStart())
        return false;
    StartupSequence sequence(parts.lock, parts.installation, parts.folders);
    if (sequence.run(m_globals) != StartupSequence::Outcome::Ready)
        return false;
    parts.profile = data::openUserProfile();
    // A client learns its name and data folder from its server.
    parts.lan = std::make_unique<LanSession>(parts.installation.file());
    if (m_globals.isClient() && !parts.lan->joinServer(m_globals))
        return false;

    parts.diskSpace = std::make_unique<DiskSpaceCheck>(m_globals.dataFolder,
                                                       m_globals.localDataFolder,
                                                       m_globals.isClient());
    // Each computer prints from copies of its own: the data folder's "Temp"
    // is shared with the others.
    m_globals.tempFolder = data::DocumentConfig::perComputerTemp(
        m_globals.dataFolder, m_globals.isClient() ? m_globals.computerName : QStringLiteral("Server"));
    QDir().mkpath(m_globals.tempFolder);
    data::DocumentConfig config;
    config.dataFolder = m_globals.dataFolder;
    config.temporaryFolder = m_globals.tempFolder;
    config.programFolder = m_globals.programFolder;
    config.lanRole = m_globals.lanRole;
    config.hostName = m_globals.windowsComputerName;
    config.checkDiskSpaceForWrite = [this] { return m_parts->diskSpace->CheckDiskSpaceForWrite(); };
    config.callerIdStep = [this] {
        if (m_parts->callerId)
            m_parts->callerId->loadRingSoundAtStart();
    };
    parts.document = std::make_unique<data::CCarMaintenanceDoc>(config);
    parts.callerId = std::make_unique<CallerIdSystem>(*parts.document, m_globals.isClient());
    parts.records = std::make_unique<DocumentRecordService>(*parts.document);
    parts.lifecycle = std::make_unique<DocumentLifecycle>(
        m_globals, parts.listener, *parts.diskSpace, *parts.records, parts.installation.file());
    // The computer name is settled by document creation, before the
    // databases open.
    parts.lifecycle->setComputerNameSink(
        [this](const QString& name) { m_parts->document->setComputerName(name); });
    parts.lifecycle->setCallerId([this] { return m_parts->callerId->start(); },
                                 [this] { m_parts->callerId->stop(); });
    if (!parts.lifecycle->OnNewDocument())
        return false;
    if (!m_globals.isClient())
        parts.lan->serveClients(parts.listener, m_globals);

    parts.frameRecords = std::make_unique<DocumentFrameRecords>(*parts.document);
    parts.printers = std::make_unique<print::QtPrinterAccess>();

    CMainFrame::Setup setup;
    setup.isClient = m_globals.isClient();
    setup.clientCount = [this] { return m_parts->lifecycle->ClientCount(); };
    // The printers' position files carry this computer's own name.
    setup.computerName = m_globals.windowsComputerName;
    setup.programFolder = m_globals.programFolder;
    setup.profile = parts.profile.get();
    setup.printers = parts.printers.get();
    setup.canClose = [this] { return m_parts->lifecycle->CanCloseFrame(); };
    setup.closeDocument = [this] {
        m_parts->lifecycle->OnCloseDocument();
        m_parts->lan->leave();
    };
    parts.frame = std::make_unique<CMainFrame>(std::move(setup));
    parts.printers->setParent(parts.frame.get());

    FrameCommands& commands = parts.frame->commands();
    commands.setRecords(parts.frameRecords.get());
    commands.setSettingsStore(&parts.document->settings());
    parts.frameRecords->setCommands(&commands);
    parts.panel = std::make_unique<PanelFrameBridge>(*parts.frame, *parts.document,
                                                     *parts.frameRecords, parts.profile.get());
    parts.pickLists = std::make_unique<PanelPickLists>(*parts.frame, parts.panel->panel(),
                                                       *parts.document);
    parts.searchEntry = std::make_unique<DialogSearchEntry>(parts.frame.get());
    commands.setSearchEntry(parts.searchEntry.get());
    parts.items = std::make_unique<masters::DocumentItemStore>(*parts.document);
    parts.items->setNetworkInUse([this] {
        return m_globals.isClient() || m_parts->lifecycle->ClientCount() > 0;
    });
    parts.sets = std::make_unique<SetWindows>(*parts.frame, *parts.document, parts.items.get(),
                                              parts.profile.get());
    parts.sets->setNetworkInUse([this] {
        return m_globals.isClient() || m_parts->lifecycle->ClientCount() > 0;
    });
    parts.settings = std::make_unique<SettingsWindows>(*parts.frame, *parts.document,
                                                       parts.panel->panel());
    MasterCommands::Windows masterWindows =
        MasterCommands::documentWindows(*parts.frame, *parts.document, *parts.items);
    parts.settings->addTo(masterWindows);
    masterWindows.workPartsSets = [sets = parts.sets.get()] { sets->openSetWindow(); };
    parts.masters = std::make_unique<MasterCommands>(*parts.frame, std::move(masterWindows));
    // Before the pending ones: a report built takes its command's id.
    parts.reports = std::make_unique<ReportCommands>(*parts.frame, *parts.document,
                                                     parts.printers.get(), parts.profile.get());
    parts.pending = std::make_unique<PendingCommands>(*parts.frame);
    parts.slips = std::make_unique<SlipCommands>(*parts.frame, *parts.document, *parts.panel,
                                                 parts.items.get(), parts.profile.get());
    parts.slips->setPrinters(parts.printers.get());
    parts.slips->setSetStore(&parts.sets->store());
    parts.callerIdCommands = std::make_unique<CallerIdCommands>(*parts.frame, *parts.panel,
                                                                *parts.callerId,
                                                                parts.profile.get());
    parts.backup = std::make_unique<BackupCommands>(
        *parts.frame, *parts.document, *parts.panel,
        BackupCommands::Setup{m_globals.localDataFolder, parts.profile.get(),
                              parts.frameRecords.get()});
    parts.ledger = std::make_unique<LedgerCommands>(*parts.frame, *parts.document, *parts.panel,
                                                    *parts.slips, parts.profile.get());
    parts.records->setReservedRecords(parts.frameRecords.get());
    QObject::connect(&parts.listener, &lan::CListeningSocket::clientCountChanged, parts.frame.get(),
                     [frame = parts.frame.get()] { frame->refreshCommands(); });
    parts.lanReceivers = std::make_unique<LanCommands>(*parts.frame, *parts.document, *parts.panel);
    parts.lanReceivers->onCallInformation(
        [commands = parts.callerIdCommands.get()] { commands->onTelCallInfo(); });
    parts.lan->setConnectionSink(
        [frame = parts.frame.get()](bool connected) { LanCommands::showConnection(*frame, connected); });
    parts.frame->refreshCommands();
    parts.frame->show();
    // Opened from a backup file: its restore is offered once the window is up.
    const QString opened = BackupCommands::backupFileIn(QCoreApplication::arguments());
    if (!opened.isEmpty())
        QTimer::singleShot(0, parts.frame.get(), [this, opened] { m_parts->backup->restore(opened); });
    return true;
}

bool CCarMaintenanceApp::firstStart()
{
    if (QFileInfo::exists(m_parts->installation.file()))
        return true;
    // Held while the window is open, so a second start ends quietly.
    InstanceLock lock(StartupTexts::InstanceName);
    if (!lock.acquire())
        return false;
    FirstStartSetup setup(m_parts->installation, QCoreApplication::applicationFilePath());
    CFirstStartDlg window(setup);
    return window.exec() == QDialog::Accepted;
}

int CCarMaintenanceApp::ExitInstance(int code)
{
    if (m_parts->lifecycle && m_parts->lifecycle->isOpen())
        m_parts->lifecycle->OnCloseDocument();
    if (m_parts->lan)
        m_parts->lan->leave();
    // Only a copy that got as far as its folders has a temporary folder of
    // its own to empty.
    if (!m_globals.tempFolder.isEmpty())
        DeleteFile2(m_globals.tempFolder + QStringLiteral("/*.*"), 1);
    return code;
}

} // namespace kv::app
