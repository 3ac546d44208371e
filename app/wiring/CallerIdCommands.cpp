#include "app/wiring/CallerIdCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/FramePanel.h"
#include "app/startup/ProcessFlags.h"
#include "app/wiring/CallerIdSystem.h"
#include "callerid/core/CallInfoStore.h"
#include "callerid/core/CallerIdService.h"
#include "callerid/core/CallerIdTexts.h"
#include "callerid/core/RingSound.h"
#include "callerid/ui/CDSetCTI.h"
#include "callerid/ui/CDSetCtiInfo.h"
#include "callerid/ui/CTelCallHistoryFrame.h"
#include "callerid/ui/CallPopups.h"
#include "callerid/ui/WaveFileChooser.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"

namespace kv::app {

CallerIdCommands::CallerIdCommands(CMainFrame& frame, FramePanel& panel, CallerIdSystem& callerId,
                                   QSettings* profile, callerid::WaveFileChooser* chooser)
    : m_group(frame.registry())
    , m_frame(frame)
    , m_panel(panel)
    , m_callerId(callerId)
    , m_profile(profile)
    , m_ownChooser(chooser ? nullptr : std::make_unique<callerid::DialogWaveFileChooser>())
    , m_chooser(chooser ? chooser : m_ownChooser.get())
{
    using namespace CommandId;
    CommandAvailability& rules = frame.availability();
    rules.setAdapterPortConfigured(callerId.document().settings().callerId().port != 0);

    callerid::CallPopups::Setup popups;
    popups.profile = profile;
    popups.sound = &callerId.sound();
    popups.showCustomer = [this](int code) { return showCustomerFromPopup(code); };
    m_popups = std::make_unique<callerid::CallPopups>(std::move(popups));
    callerid::CallerIdService& service = callerId.service();
    service.setWatchStarted([this] { m_popups->resetCascade(); });
    service.setCallRecognised([this](const data::CallInfoEntry& call) {
        if (ProcessFlags::showReceivedCalls)
            m_popups->open(call);
    });
    // The adapter started with the document, before this window existed.
    m_popups->resetCascade();

    m_group.add({
        .id = CallHistory,
        .statusTip = QStringLiteral("TEL着信履歴を表示します"),
        .toolTip = QStringLiteral("TEL着信履歴"),
        .run = [this] { openHistory(); },
        .available = [this] { return m_frame.isEnabled(); },
    });
    m_group.add({
        .id = CallerIdSettings,
        .text = QStringLiteral("ナンバー・ディスプレイ設定(&N)..."),
        .run = [this] { openCallerIdSettings(); },
        .available = [&rules] { return rules.alone(); },
    });
    m_group.add({
        .id = PopupSettings,
        .text = QStringLiteral("着信表示設定(&I)..."),
        .run = [this] { openPopupSettings(); },
        .available = [&rules] { return rules.adapterPortConfigured(); },
    });
}

CallerIdCommands::~CallerIdCommands()
{
    callerid::CallerIdService& service = m_callerId.service();
    service.setCallRecognised({});
    service.setWatchStarted({});
    if (m_history)
        delete m_history.data();
}

callerid::CTelCallHistoryFrame* CallerIdCommands::historyWindow() const
{
    return m_history.data();
}

bool CallerIdCommands::showCustomerFromPopup(int code)
{
    const FrameState& state = m_frame.state();
    if (!m_frame.isEnabled() || state.mode < FrameState::Nothing
        || state.mode > FrameState::PlateNumberOrder || state.queryMode) {
        showMessage(callerid::CallerIdTexts::PanelBusy);
        return false;
    }
    const bool shown = m_panel.ShowCustomer(code, true);
    m_frame.refreshCommands();
    return shown;
}

void CallerIdCommands::openHistory()
{
    if (m_history || !m_frame.isEnabled())
        return;
    callerid::CTelCallHistoryFrame::Setup setup;
    setup.profile = m_profile;
    setup.defaultPlace = m_frame.geometry().topLeft() + QPoint(7, 86);
    setup.showCustomer = [this](int code) {
        m_panel.ShowCustomer(code, true);
        m_frame.refreshCommands();
    };
    // A window of its own, so that it stays usable while the main window
    // is off.
    auto* history = new callerid::CTelCallHistoryFrame(m_callerId.calls(), std::move(setup));
    history->setAttribute(Qt::WA_DeleteOnClose);
    m_history = history;
    QObject::connect(&m_callerId.calls(), &callerid::CallInfoStore::changed, history,
                     &callerid::CTelCallHistoryFrame::refill);
    QObject::connect(history, &callerid::CTelCallHistoryFrame::closed, &m_frame, [this] {
        m_frame.setEnabled(true);
        m_frame.activateWindow();
        m_frame.refreshCommands();
    });
    m_frame.setEnabled(false);
    m_frame.refreshCommands();
    history->show();
    history->activateWindow();
}

void CallerIdCommands::openCallerIdSettings()
{
    data::CCarMaintenanceDoc& document = m_callerId.document();
    callerid::CDSetCTI::Setup setup;
    setup.current = document.settings().callerId();
    setup.sound = &m_callerId.sound();
    setup.chooser = m_chooser;
    // Written for the next start; this run goes on with what it started with.
    setup.store = [&document](const data::CallerIdSettings& chosen) {
        const data::CallerIdSettings running = document.settings().callerId();
        document.settings().callerId() = chosen;
        const bool saved = document.settings().SaveSettingsFile(data::SettingsFileId::CallerId);
        document.settings().callerId() = running;
        return saved;
    };
    ProcessFlags::callLookupSuspended = true;
    callerid::CDSetCTI dialog(std::move(setup), &m_frame);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    ProcessFlags::callLookupSuspended = false;
    // The new port takes effect at the next start: the program ends.
    if (accepted)
        m_frame.close();
}

void CallerIdCommands::openPopupSettings()
{
    callerid::CDSetCtiInfo dialog(m_profile, &m_frame);
    dialog.exec();
}

void CallerIdCommands::onTelCallInfo()
{
    m_callerId.calls().reload();
}

} // namespace kv::app
