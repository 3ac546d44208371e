#include "app/wiring/SlipCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/wiring/HeldRecordCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/tables/DaoRecordsets.h"
#include "records/panel/CFMainPanel.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipTitles.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CSyareFrame.h"
#include "slips/ui/SlipWindowFactory.h"

namespace kv::app {

namespace {

QString categoryNameOf(data::CCarMaintenanceDoc& document, int code)
{
    CDaoNyuukoKbnSet categories(document.store().mainConnection());
    categories.SetFilter(QStringLiteral("NyuukoKbnCode = %1").arg(code));
    return categories.Open() && categories.GetRecordCount() > 0 ? categories.m_NyuukoKbn
                                                                : QString();
}

} // namespace

SlipCommands::SlipCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                           PanelFrameBridge& panel, masters::ItemStore* items, QSettings* profile)
    : m_group(frame.registry())
    , m_frame(frame)
    , m_document(document)
    , m_panel(panel)
    , m_items(items)
    , m_profile(profile)
    , m_access(std::make_unique<slips::SlipAccess>(document))
{
    const CommandAvailability& rules = frame.availability();
    m_group.add({
        .id = CommandId::CreateSlip,
        .statusTip = QStringLiteral("伝票を作成します(F8)"),
        .toolTip = QStringLiteral("伝票作成"),
        .keys = {QKeySequence(Qt::Key_F8)},
        .run = [this] { openSlipWork(); },
        .available = [&rules] {
            return rules.recordCommandOn(CommandId::CreateSlip) && !rules.childWindowOpen();
        },
    });
}

SlipCommands::~SlipCommands() = default;

int SlipCommands::nextNumber()
{
    return m_document.NextSlipNumber();
}

void SlipCommands::beginWork()
{
    for (const int command : kHeldRecordCommands)
        m_frame.availability().setButtonEnabled(command, false);
    m_frame.state().slipWindowOpen = true;
    m_frame.refreshCommands();
}

void SlipCommands::endWork()
{
    m_frame.state().slipWindowOpen = false;
    // Shown again from the records, with the buttons the record allows, in
    // the mode the frame is in.
    const int mode = m_frame.state().mode;
    if (!m_panel.ShowVehicle(m_vehicle, true))
        m_panel.ShowCustomer(m_customer, true);
    m_panel.SetModeText(mode);
    m_frame.refreshCommands();
    m_frame.activateWindow();
}

void SlipCommands::openSlipWork()
{
    m_customer = m_panel.shownCustomerCode();
    m_vehicle = m_panel.panel().shownVehicleCode();
    if (m_customer == 0 || m_vehicle == 0)
        return;
    const slips::SlipAccess::Opened opened = m_access->open(m_customer, m_vehicle);
    if (!opened.ok) {
        if (!opened.message.isEmpty())
            showMessage(opened.message);
        m_panel.ShowVehicle(m_vehicle, false);
        return;
    }
    beginWork();
    if (m_access->history(m_vehicle).empty()) {
        const int number = nextNumber();
        if (number == 0 || !openSlip({slips::SlipMode::New, number, 0, m_customer, m_vehicle})) {
            m_access->close();
            endWork();
        }
        return;
    }

    slips::CSyareFrame::Setup setup;
    setup.vehicleCode = m_vehicle;
    if (m_document.FindCustomer(m_customer) && m_document.FindVehicle(m_vehicle)) {
        const data::CarRow vehicle = m_document.vehicles().row();
        setup.title = slips::historyTitle(slips::slipSubject(
            m_document.customers().row(), vehicle,
            m_document.settings().makes().entries().value(vehicle.m_Syamei)));
    }
    setup.categoryName = [this](int code) { return categoryNameOf(m_document, code); };
    setup.profile = m_profile;
    auto* history = new slips::CSyareFrame(*m_access, setup, &m_frame);
    history->setWindowFlag(Qt::Window);
    const auto handOver = [this, history](slips::SlipMode mode, int source) {
        const int number = mode == slips::SlipMode::Modify ? source : nextNumber();
        if (number != 0 && openSlip({mode, number, source, m_customer, m_vehicle}))
            history->handOver();
    };
    QObject::connect(history, &slips::CSyareFrame::newSlip, history,
                     [handOver] { handOver(slips::SlipMode::New, 0); });
    QObject::connect(history, &slips::CSyareFrame::modifySlip, history,
                     [handOver](int slip) { handOver(slips::SlipMode::Modify, slip); });
    QObject::connect(history, &slips::CSyareFrame::transferSlip, history,
                     [handOver](int slip) { handOver(slips::SlipMode::Transfer, slip); });
    QObject::connect(history, &slips::CSyareFrame::closed, &m_frame, [this] { endWork(); });
    history->show();
}

bool SlipCommands::openStoredSlip(int customerCode, int vehicleCode, int slipNumber)
{
    const slips::SlipAccess::Opened opened = m_access->open(customerCode, vehicleCode);
    if (!opened.ok) {
        if (!opened.message.isEmpty())
            showMessage(opened.message);
        return false;
    }
    m_customer = customerCode;
    m_vehicle = vehicleCode;
    beginWork();
    if (openSlip({slips::SlipMode::Modify, slipNumber, slipNumber, customerCode, vehicleCode}))
        return true;
    m_access->close();
    endWork();
    return false;
}

bool SlipCommands::openSlip(const slips::SlipContext& context)
{
    slips::CDenFrame* window = slips::openSlipWindow(m_document, *m_access, m_items, m_profile,
                                                     context, &m_frame, m_printers, m_sets);
    if (!window)
        return false;
    window->setWindowFlag(Qt::Window);
    QObject::connect(window, &slips::CDenFrame::closedWindow, &m_frame, [this] { endWork(); });
    window->show();
    return true;
}

} // namespace kv::app
