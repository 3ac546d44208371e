#include "app/frame/CMainFrame.h"

#include "app/frame/CommandId.h"
#include "app/frame/FrameTexts.h"
#include "app/help/HelpWindow.h"
#include "app/help/VersionDialog.h"
#include "app/startup/ProcessFlags.h"
#include "app/startup/StartupTexts.h"
#include "common/MessageGateway.h"
#include "controls/FieldKeyRules.h"
#include "controls/StatusPanes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

namespace kv::app {
namespace {

struct ToolButton {
    int command;
    int image;
    bool checkable = false;
};

// Left to right, with the image each button takes from its strip; -1 is a
// separator.
const ToolButton toolBar1Buttons[] = {
    {CommandId::CustomerCodeSearch, 0},    {CommandId::CustomerReadingSearch, 1},
    {CommandId::VehicleCodeSearch, 2},     {CommandId::PlateNumberSearch, 3},
    {CommandId::OwnedVehicles, 4},         {CommandId::None, 5},
    {CommandId::CreateSlip, 7},            {CommandId::Ledger, 8},
    {CommandId::NewCustomer, 9},           {CommandId::NewVehicle, 10},
    {CommandId::RecordCustomerVehicle, 11}, {-1, -1},
    {CommandId::CarriedForwardBalance, 14}, {CommandId::Exit, 16},
    {CommandId::Delete, 17},
};

const ToolButton toolBar2Buttons[] = {
    {CommandId::ReadingIndexSearch, 0},
    {CommandId::QueryByFormSearch, 1, true},
    {CommandId::Previous, 2},
    {CommandId::Next, 3},
    {CommandId::ShowReceivedCalls, 4, true},
    {CommandId::CallHistory, 5},
    {CommandId::ImportCertificate, 6},
};

QIcon toolIcon(int strip, int image)
{
    return QIcon(QStringLiteral(":/icons/toolbar%1/%2.svg").arg(strip).arg(image, 2, 10, QLatin1Char('0')));
}

} // namespace

CMainFrame::CMainFrame(Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_setup(std::move(setup))
    , m_availability(m_state, m_setup.isClient, m_setup.clientCount)
    , m_commands(m_state, m_availability, m_setup.computerName)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(StartupTexts::FrameTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/sabion.svg")));
    setContextMenuPolicy(Qt::NoContextMenu);
    resize(1024, 720);
    restorePosition();

    // The customer and vehicle panel takes this place; until then it stays
    // empty, in the sunken edge a form view has.
    auto* slot = new QFrame(this);
    slot->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_viewSlot = slot;
    m_viewSlot->setObjectName(QStringLiteral("viewSlot"));
    setCentralWidget(m_viewSlot);

    m_registry.setListener([this](int command) { applyRegistration(command); });
    buildMenu();
    buildStatusBar();
    buildToolBars();
    registerOwnCommands();

    m_state = FrameState{};
    CommandAvailability::Flags start;
    start.f3 = start.f4 = start.newCustomer = true;
    m_availability.SetCommandButtons(start);
    m_commands.setMainWindowEnabled([this] { return isEnabled(); });
    qApp->installEventFilter(this);
    refreshCommands();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    m_registry.setListener({});
    if (m_help)
        m_help->close();
}

QAction* CMainFrame::actionFor(int command)
{
    if (QAction* existing = m_actions.value(command))
        return existing;
    auto* action = new QAction(this);
    action->setData(command);
    // A blank tool tip keeps Qt from showing the item's text instead.
    action->setToolTip(QStringLiteral(" "));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    addAction(action);
    m_actions.insert(command, action);
    return action;
}

void CMainFrame::applyRegistration(int command)
{
    QAction* action = actionFor(command);
    const Command* registered = m_registry.command(command);
    if (!registered) {
        // The owner went: its keys must not reach a flow that is gone.
        action->setShortcuts({});
        refreshCommand(command, action);
        return;
    }
    action->setText(registered->text.isEmpty() ? registered->toolTip : registered->text);
    action->setStatusTip(registered->statusTip);
    action->setToolTip(registered->toolTip.isEmpty() ? QStringLiteral(" ") : registered->toolTip);
    action->setShortcuts(registered->keys);
    action->setShortcutContext(Qt::WindowShortcut);
    refreshCommand(command, action);
}

void CMainFrame::registerOwnCommands()
{
    using namespace CommandId;
    const QString title = StartupTexts::ApplicationTitle;
    m_registry.registerCommand({
        .id = Exit,
        .text = title + QStringLiteral("の終了(&X)"),
        .statusTip = title + QStringLiteral("を終了します(Alt+F4)"),
        .toolTip = QStringLiteral("終了"),
        .keys = {QKeySequence(Qt::ALT | Qt::Key_F4)},
        .run = [this] { close(); },
    });
    m_registry.registerCommand({
        .id = HelpContents,
        .text = QStringLiteral("目次(&C)"),
        .run = [this] { showHelp(); },
        .available = [this] { return m_help.isNull(); },
    });
    m_registry.registerCommand({
        .id = VersionInfo,
        .text = QStringLiteral("バージョン情報(&A)..."),
        .run =
            [this] {
                VersionDialog dialog(this);
                dialog.exec();
            },
    });
    // Without a printer access the command waits for one.
    std::function<void()> printerSetup;
    if (print::PrinterAccess* printers = m_setup.printers)
        printerSetup = [this, printers] { m_commands.printerSetup(*printers); };
    m_registry.registerCommand({
        .id = PrinterSetup,
        .text = QStringLiteral("プリンタ設定(&P)..."),
        .run = std::move(printerSetup),
    });
    m_registry.registerCommand({
        .id = ShowReceivedCalls,
        .run = [this] { toggleReceivedCalls(m_actions.value(ShowReceivedCalls)->isChecked()); },
    });
}

void CMainFrame::buildMenu()
{
    using namespace CommandId;
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(actionFor(ImportCertificate));
    file->addAction(actionFor(ReadCertificateCodes));
    file->addSeparator();
    file->addAction(actionFor(Backup));
    file->addAction(actionFor(Restore));
    file->addSeparator();
    file->addAction(actionFor(PrinterSetup));
    file->addSeparator();
    file->addAction(actionFor(Exit));

    QMenu* reports = menuBar()->addMenu(QStringLiteral("帳票(&T)"));
    for (int command : {LedgerReport, BillingList, DetailedInvoice, IssuedInvoices, ReceivableList,
                        SalesAnalysis, SalesGraph})
        reports->addAction(actionFor(command));
    reports->addSeparator();
    for (int command : {CustomerVehicleList, InspectionDueList, InspectionMissedList,
                        InsuranceDueList, FirstYearList, VehicleHistoryList})
        reports->addAction(actionFor(command));
    reports->addSeparator();
    reports->addAction(actionFor(ReferrerRanking));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    QMenu* required = settings->addMenu(QStringLiteral("必ず設定しておかなければならないもの(&M)"));
    for (int command : {CompanyInformation, Rounding, AgencyFeeTax, JobCategories})
        required->addAction(actionFor(command));
    required->addSeparator();
    for (int command : {VehicleKinds, VehicleUses, BodyShapes, VehicleNameList, Fuels})
        required->addAction(actionFor(command));
    QMenu* useful = settings->addMenu(QStringLiteral("設定しておくと便利なもの(&C)"));
    for (int command : {WorkPartsItems, WorkPartsSets, CustomerNameList, AddressList,
                        TransportOfficeList, ModelList})
        useful->addAction(actionFor(command));
    settings->addSeparator();
    settings->addAction(actionFor(DefaultPrefecture));
    settings->addAction(actionFor(StatutoryCosts));
    settings->addAction(actionFor(CallerIdSettings));
    settings->addAction(actionFor(PopupSettings));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(actionFor(HelpContents));
    help->addSeparator();
    help->addAction(actionFor(VersionInfo));

    for (QMenu* menu : {file, reports, settings, required, useful, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommands);
}

void CMainFrame::buildToolBars()
{
    const auto fill = [this](QToolBar* bar, int strip, const auto& buttons) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(35, 28));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        for (const ToolButton& button : buttons) {
            if (button.command < 0) {
                bar->addSeparator();
                continue;
            }
            QAction* action =
                button.command == CommandId::None ? new QAction(this) : actionFor(button.command);
            action->setIcon(toolIcon(strip, button.image));
            action->setCheckable(button.checkable);
            if (button.command == CommandId::None)
                action->setEnabled(false);
            bar->addAction(action);
        }
    };

    m_toolBar1 = addToolBar(QStringLiteral("toolbar133"));
    m_toolBar1->setObjectName(QStringLiteral("toolBar133"));
    fill(m_toolBar1, 1, toolBar1Buttons);
    m_toolBar2 = addToolBar(QStringLiteral("toolbar250"));
    m_toolBar2->setObjectName(QStringLiteral("toolBar250"));
    fill(m_toolBar2, 2, toolBar2Buttons);
    for (QToolBar* bar : {m_toolBar1, m_toolBar2})
        bar->setStyleSheet(QStringLiteral("QToolButton { min-width: 38px; min-height: 30px; }"));

    const bool showCalls =
        m_setup.profile
        && m_setup.profile->value(QStringLiteral("CtiInfo/DspReceiveInfo"), 0).toInt() != 0;
    m_actions.value(CommandId::ShowReceivedCalls)->setChecked(showCalls);
    ProcessFlags::showReceivedCalls = showCalls;
}

void CMainFrame::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_lanPane = StatusPanes::addPane(bar, FrameTexts::LanPaneBlank, QStringLiteral("lanPane"));
    m_lanPane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    new StatusPanes(bar);
}

bool CMainFrame::isCommandEnabled(int command) const
{
    const QAction* action = m_actions.value(command);
    return action && action->isEnabled();
}

bool CMainFrame::refreshCommand(int command, QAction* action)
{
    const bool available = m_registry.isAvailable(command);
    action->setEnabled(available);
    // A check button that shows a state shows it whatever a click toggled.
    const Command* registered = m_registry.command(command);
    if (registered && registered->checked)
        action->setChecked(registered->checked());
    return available;
}

void CMainFrame::refreshCommands()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        refreshCommand(it.key(), it.value());
}

void CMainFrame::SetCommandButtons(const CommandAvailability::Flags& flags)
{
    m_commands.SetCommandButtons(flags);
    refreshCommands();
}

void CMainFrame::runCommand(int command)
{
    // A key of a command that became unavailable since the last refresh.
    refreshCommands();
    if (!isCommandEnabled(command))
        return;
    m_registry.run(command);
    refreshCommands();
}

void CMainFrame::toggleReceivedCalls(bool on)
{
    ProcessFlags::showReceivedCalls = on;
    if (m_setup.profile) {
        m_setup.profile->setValue(QStringLiteral("CtiInfo/DspReceiveInfo"), on ? 1 : 0);
        m_setup.profile->sync();
    }
}

void CMainFrame::showHelp()
{
    const QString page = m_setup.programFolder + QStringLiteral("/Help/SabHelp.html");
    auto* help = new HelpWindow(nullptr);
    if (!help->showPage(page)) {
        delete help;
        showMessage(FrameTexts::HelpPageMissing.arg(page));
        return;
    }
    m_help = help;
    connect(help, &HelpWindow::closed, this, [this] {
        m_help.clear();
        refreshCommands();
    });
}

void CMainFrame::restorePosition()
{
    if (!m_setup.profile)
        return;
    const int x = m_setup.profile->value(QStringLiteral("MainWindowPlace/x"), 0).toInt();
    const int y = m_setup.profile->value(QStringLiteral("MainWindowPlace/y"), 0).toInt();
    move(x, y);
    raise();
}

void CMainFrame::storePosition()
{
    if (!m_setup.profile)
        return;
    // A minimised or maximised window keeps the place it returns to.
    const QPoint place = isMinimized() || isMaximized() ? normalGeometry().topLeft() : pos();
    m_setup.profile->setValue(QStringLiteral("MainWindowPlace/x"), place.x());
    m_setup.profile->setValue(QStringLiteral("MainWindowPlace/y"), place.y());
    m_setup.profile->sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    storePosition();
    if (m_setup.canClose && !m_setup.canClose()) {
        event->ignore();
        return;
    }
    if (!m_closing) {
        m_closing = true;
        if (m_setup.closeDocument)
            m_setup.closeDocument();
    }
    if (m_help)
        m_help->close();
    event->accept();
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_state.lanPanePending) {
        m_state.lanPanePending = false;
        if (m_setup.isClient)
            m_lanPane->setText(FrameTexts::ClientPaneText);
    }
    return QMainWindow::event(event);
}

bool CMainFrame::takesKeyFromControl(QObject* receiver, const QKeyEvent& key)
{
    const auto* control = qobject_cast<QWidget*>(receiver);
    if (!control || control->window() != this || FieldKeyRules::keepsKey(key))
        return false;
    const int command = m_registry.commandForKey(QKeySequence(key.keyCombination()));
    QAction* action = command != 0 ? m_actions.value(command) : nullptr;
    // A key whose command is off stays the control's, as it was before the
    // frame had it (Ctrl+arrows still move by words then).
    return action && refreshCommand(command, action);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A control claims the keys it has a use for (a line edit moves by
        // words on Ctrl+Left and Ctrl+Right), yet the frame's keys must work
        // from any field. Left unaccepted, the key goes to the window's
        // shortcuts; the filter sees it again on each parent it passes to.
        if (takesKeyFromControl(watched, *static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kv::app
