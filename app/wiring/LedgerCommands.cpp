#include "app/wiring/LedgerCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/wiring/HeldRecordCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/SlipCommands.h"
#include "common/MessageGateway.h"
#include "ledger/core/LedgerAccess.h"
#include "ledger/ui/CDSetKuriZan.h"
#include "ledger/ui/CMotoFrame.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "slips/ui/CInvoiceArchiveDlg.h"
#include "records/panel/CFMainPanel.h"

namespace kv::app {

LedgerCommands::LedgerCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                               PanelFrameBridge& panel, SlipCommands& slips, QSettings* profile)
    : m_group(frame.registry())
    , m_frame(frame)
    , m_document(document)
    , m_panel(panel)
    , m_slips(slips)
    , m_profile(profile)
{
    const CommandAvailability& rules = frame.availability();
    m_group.add({
        .id = CommandId::Ledger,
        .statusTip = QStringLiteral("売上・入金を元帳に入力します(F9)"),
        .toolTip = QStringLiteral("元帳入力"),
        .keys = {QKeySequence(Qt::Key_F9)},
        .run = [this] { openLedger(); },
        .available = [&rules] {
            return rules.recordCommandOn(CommandId::Ledger) && !rules.childWindowOpen();
        },
    });
    m_group.add({
        .id = CommandId::CarriedForwardBalance,
        .statusTip = QStringLiteral("繰越残高を設定します(Alt+F2)"),
        .toolTip = QStringLiteral("繰越残高設定"),
        .keys = {QKeySequence(Qt::ALT | Qt::Key_F2)},
        .run = [this] { setCarriedForward(); },
        .available = [&rules] {
            return rules.recordCommandOn(CommandId::CarriedForwardBalance)
                && !rules.childWindowOpen();
        },
    });
    m_group.add({
        .id = CommandId::IssuedInvoices,
        .text = QStringLiteral("発行した請求書(&I)..."),
        .statusTip = QStringLiteral("表示中の顧客に発行した請求書を一覧します"),
        .run = [this] { showIssuedInvoices(); },
        .available = [this] { return m_panel.shownCustomerCode() != 0; },
    });
}

void LedgerCommands::showIssuedInvoices()
{
    const int customer = m_panel.shownCustomerCode();
    const slips::InvoiceArchive archive(m_document.settings().dataFolder());
    slips::CInvoiceArchiveDlg dialog(archive, slips::CInvoiceArchiveDlg::Of::Customer, customer,
                                     slips::desktopInvoiceViewer(), &m_frame);
    if (dialog.rowCount() == 0) {
        showMessage(slips::CInvoiceArchiveDlg::noInvoicesMessage());
        return;
    }
    dialog.exec();
}

LedgerCommands::~LedgerCommands()
{
    // The window must not call back into a gone object.
    if (m_window) {
        QObject::disconnect(m_window, nullptr, &m_frame, nullptr);
        m_window->close();
    }
}

ledger::CMotoFrame* LedgerCommands::window() const
{
    return m_window;
}

void LedgerCommands::openLedger()
{
    m_customer = m_panel.shownCustomerCode();
    m_vehicle = m_panel.panel().shownVehicleCode();
    if (m_customer == 0 || m_window)
        return;
    ledger::CMotoFrame* window = ledger::CMotoFrame::open(m_document, m_customer, m_profile, &m_frame);
    if (!window) {
        m_frame.refreshCommands();
        return;
    }
    m_window = window;
    window->setSlipOpener([this](const ledger::LedgerAccess::LinkedSlip& slip) {
        return m_slips.openStoredSlip(slip.customerCode, slip.vehicleCode, slip.slipNumber);
    });
    QObject::connect(window, &ledger::CMotoFrame::closedWindow, &m_frame,
                     [this](bool forSlip) { endWork(forSlip); });
    for (const int command : kHeldRecordCommands)
        m_frame.availability().setButtonEnabled(command, false);
    m_frame.state().ledgerWindowOpen = true;
    // Nothing typed into the panel meanwhile could be kept: the ledger
    // refreshes the panel when it closes.
    m_frame.setEnabled(false);
    m_frame.refreshCommands();
    window->show();
    window->activateWindow();
}

void LedgerCommands::endWork(bool forSlip)
{
    m_frame.state().ledgerWindowOpen = false;
    m_frame.setEnabled(true);
    if (!forSlip) {
        // Shown again from the records, with the buttons the record allows.
        const int mode = m_frame.state().mode;
        if (m_vehicle == 0 || !m_panel.ShowVehicle(m_vehicle, true))
            m_panel.ShowCustomer(m_customer, true);
        m_panel.SetModeText(mode);
        m_frame.activateWindow();
    }
    m_frame.refreshCommands();
}

void LedgerCommands::setCarriedForward()
{
    const int customer = m_panel.shownCustomerCode();
    if (customer == 0 || m_window)
        return;
    // The customer's lock for the dialog's while, given back on every way out.
    ledger::LedgerAccess access(m_document);
    const ledger::LedgerAccess::Opened opened = access.open(customer);
    if (!opened.ok) {
        if (!opened.message.isEmpty())
            showMessage(opened.message);
        return;
    }
    ledger::CDSetKuriZan dialog(m_document, customer, &m_frame);
    dialog.run();
    access.close();
}

} // namespace kv::app
