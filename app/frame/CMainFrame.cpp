#include "app/frame/CMainFrame.h"

#include "app/frame/CommandId.h"
#include "app/frame/CommandTexts.h"
#include "app/frame/FrameTexts.h"
#include "app/frame/platform/KeyboardIndicators.h"
#include "app/help/HelpWindow.h"
#include "app/help/VersionDialog.h"
#include "app/startup/ProcessFlags.h"
#include "app/startup/StartupTexts.h"
#include "common/MessageGateway.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
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
};

QIcon toolIcon(int strip, int image)
{
    return QIcon(QStringLiteral(":/icons/toolbar%1/%2.svg").arg(strip).arg(image, 2, 10, QLatin1Char('0')));
}

QKeySequence keys(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers, key));
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

    buildMenu();
    buildStatusBar();
    buildToolBars();
    buildAccelerators();

    m_state = FrameState{};
    CommandAvailability::Flags start;
    start.f3 = start.f4 = start.newCustomer = true;
    m_availability.SetCommandButtons(start);
    m_commands.setMainWindowEnabled([this] { return isEnabled(); });
    qApp->installEventFilter(this);
    refreshCommands();
    updateIndicators();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    if (m_help)
        m_help->close();
}

QAction* CMainFrame::makeAction(int command, const QString& text)
{
    if (QAction* existing = m_actions.value(command))
        return existing;
    auto* action = new QAction(text.isEmpty() ? CommandTexts::menuText(command) : text, this);
    action->setData(command);
    const QString prompt = CommandTexts::prompt(command);
    const QString tip = CommandTexts::toolTip(command);
    if (!prompt.isEmpty())
        action->setStatusTip(prompt);
    // A blank tool tip keeps Qt from showing the item's text instead.
    action->setToolTip(tip.isEmpty() ? QStringLiteral(" ") : tip);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    addAction(action);
    m_actions.insert(command, action);
    return action;
}

void CMainFrame::buildMenu()
{
    using namespace CommandId;
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(makeAction(Backup));
    file->addSeparator();
    file->addAction(makeAction(PrinterSetup));
    file->addSeparator();
    file->addAction(makeAction(Exit));

    QMenu* reports = menuBar()->addMenu(QStringLiteral("帳票(&T)"));
    for (int command : {LedgerReport, BillingList, DetailedInvoice, ReceivableList, SalesAnalysis,
                        SalesGraph})
        reports->addAction(makeAction(command));
    reports->addSeparator();
    for (int command : {CustomerVehicleList, InspectionDueList, InspectionMissedList,
                        InsuranceDueList, FirstYearList, VehicleHistoryList})
        reports->addAction(makeAction(command));
    reports->addSeparator();
    reports->addAction(makeAction(ReferrerRanking, QStringLiteral("紹介者ランキング(&R)...")));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    QMenu* required = settings->addMenu(QStringLiteral("必ず設定しておかなければならないもの(&M)"));
    for (int command : {CompanyInformation, Rounding, AgencyFeeTax, JobCategories})
        required->addAction(makeAction(command));
    required->addSeparator();
    for (int command : {VehicleKinds, VehicleUses, BodyShapes, VehicleNameList, Fuels})
        required->addAction(makeAction(command));
    QMenu* useful = settings->addMenu(QStringLiteral("設定しておくと便利なもの(&C)"));
    for (int command : {WorkPartsItems, WorkPartsSets, CustomerNameList, AddressList,
                        TransportOfficeList, ModelList})
        useful->addAction(makeAction(command));
    settings->addSeparator();
    settings->addAction(makeAction(DefaultPrefecture, QStringLiteral("既定の都道府県(&P)...")));
    settings->addAction(makeAction(CallerIdSettings, QStringLiteral("ナンバー・ディスプレイ設定(&N)...")));
    settings->addAction(makeAction(PopupSettings, QStringLiteral("着信表示設定(&I)...")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(makeAction(HelpContents));
    help->addSeparator();
    help->addAction(makeAction(VersionInfo));

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
            QAction* action = button.command == CommandId::None
                                  ? new QAction(this)
                                  : makeAction(button.command, CommandTexts::toolTip(button.command));
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
    const auto pane = [this, bar](const QString& text, const QString& name) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 10);
        bar->addPermanentWidget(label);
        return label;
    };
    m_lanPane = pane(FrameTexts::LanPaneBlank, QStringLiteral("lanPane"));
    m_lanPane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_kanaPane = pane(QStringLiteral("ｶﾅ"), QStringLiteral("kanaPane"));
    m_capsPane = pane(QStringLiteral("CAP"), QStringLiteral("capsPane"));
    m_numPane = pane(QStringLiteral("NUM"), QStringLiteral("numPane"));
    m_scrollPane = pane(QStringLiteral("SCRL"), QStringLiteral("scrollPane"));
}

void CMainFrame::buildAccelerators()
{
    using namespace CommandId;
    const struct {
        int command;
        QList<QKeySequence> keys;
    } table[] = {
        {CustomerCodeSearch, {keys(Qt::Key_F1)}},
        {CustomerReadingSearch, {keys(Qt::Key_F2)}},
        {VehicleCodeSearch, {keys(Qt::Key_F3)}},
        {PlateNumberSearch, {keys(Qt::Key_F4)}},
        {OwnedVehicles, {keys(Qt::Key_F5)}},
        {CreateSlip, {keys(Qt::Key_F8)}},
        {Ledger, {keys(Qt::Key_F9)}},
        {NewCustomer, {keys(Qt::Key_F10)}},
        {NewVehicle, {keys(Qt::Key_F11)}},
        {RecordCustomerVehicle, {keys(Qt::Key_F12)}},
        {ReadingIndexSearch, {keys(Qt::Key_F1, Qt::ControlModifier)}},
        {QueryByFormSearch, {keys(Qt::Key_F2, Qt::ControlModifier)}},
        {CarriedForwardBalance, {keys(Qt::Key_F2, Qt::AltModifier)}},
        {Delete, {keys(Qt::Key_F5, Qt::AltModifier)}},
        {Previous, {keys(Qt::Key_Left, Qt::ControlModifier)}},
        {Next, {keys(Qt::Key_Right, Qt::ControlModifier)}},
        {FieldPickList, {keys(Qt::Key_Space, Qt::ControlModifier)}},
        {OwnerNamePickList, {keys(Qt::Key_1, Qt::ControlModifier), keys(Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier)}},
        {OwnerAddressPickList, {keys(Qt::Key_3, Qt::ControlModifier), keys(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier)}},
        {TransportOfficePickList, {keys(Qt::Key_5, Qt::ControlModifier), keys(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier)}},
        {VehicleNamePickList, {keys(Qt::Key_6, Qt::ControlModifier), keys(Qt::Key_6, Qt::ControlModifier | Qt::KeypadModifier)}},
        {Exit, {keys(Qt::Key_F4, Qt::AltModifier)}},
    };
    for (const auto& entry : table) {
        QAction* action = makeAction(entry.command, CommandTexts::toolTip(entry.command));
        action->setShortcuts(entry.keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

bool CMainFrame::handledByFrame(int command) const
{
    switch (command) {
    case CommandId::Exit:
    case CommandId::HelpContents:
    case CommandId::VersionInfo:
    case CommandId::ShowReceivedCalls:
        return true;
    case CommandId::PrinterSetup:
        return m_setup.printers != nullptr;
    default:
        return false;
    }
}

bool CMainFrame::isCommandEnabled(int command) const
{
    const QAction* action = m_actions.value(command);
    return action && action->isEnabled();
}

void CMainFrame::refreshCommands()
{
    m_availability.setHelpOpen(!m_help.isNull());
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int command = it.key();
        const bool handled = handledByFrame(command) || m_commands.hasHandler(command);
        it.value()->setEnabled(handled && m_availability.isAvailable(command));
    }
    // The check button shows query mode, whatever a click toggled.
    if (QAction* query = m_actions.value(CommandId::QueryByFormSearch))
        query->setChecked(m_state.queryMode);
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
    switch (command) {
    case CommandId::Exit:
        close();
        break;
    case CommandId::HelpContents:
        showHelp();
        break;
    case CommandId::VersionInfo: {
        VersionDialog dialog(this);
        dialog.exec();
        break;
    }
    case CommandId::PrinterSetup:
        m_commands.printerSetup(*m_setup.printers);
        break;
    case CommandId::ShowReceivedCalls:
        toggleReceivedCalls(m_actions.value(command)->isChecked());
        break;
    default:
        m_commands.execute(command);
        break;
    }
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

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        updateIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::updateIndicators()
{
    const KeyboardIndicators::State keys = KeyboardIndicators::current();
    // Like the classic indicator panes: the text shows only while the lock is on.
    const auto show = [](QLabel* pane, bool on, const QString& text) {
        pane->setText(on ? text : QString());
    };
    show(m_kanaPane, keys.kana, QStringLiteral("ｶﾅ"));
    show(m_capsPane, keys.capsLock, QStringLiteral("CAP"));
    show(m_numPane, keys.numLock, QStringLiteral("NUM"));
    show(m_scrollPane, keys.scrollLock, QStringLiteral("SCRL"));
}

} // namespace kv::app
