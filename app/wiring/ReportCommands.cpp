#include "app/wiring/ReportCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "reports/ui/CDPrintSeikyu.h"
#include "reports/ui/CDPrintUriZan.h"

namespace kv::app {

ReportCommands::ReportCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                               print::PrinterAccess* printers, QSettings* profile)
    : m_group(frame.registry())
    , m_frame(frame)
    , m_document(document)
    , m_printers(printers)
    , m_profile(profile)
{
    // One block a report, each adding its own dialog.
    addReport(CommandId::BillingList, "請求一覧(&B)...", [this](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintSeikyu(std::move(setup), m_profile);
    });
    addReport(CommandId::ReceivableList, "売掛残金一覧(&Z)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintUriZan(std::move(setup));
    });
}

ReportCommands::~ReportCommands()
{
    // The dialog must not call back into a gone object.
    if (m_dialog) {
        QObject::disconnect(m_dialog, nullptr, &m_frame, nullptr);
        delete m_dialog;
    }
}

void ReportCommands::addReport(int id, const char* text, DialogMaker make)
{
    m_group.add({
        .id = id,
        .text = QString::fromUtf8(text),
        .run = [this, make = std::move(make)] { open(make); },
        .available = [this] { return m_printers && !m_dialog; },
    });
}

void ReportCommands::open(const DialogMaker& make)
{
    if (m_dialog)
        return;
    reports::ReportDialog::Setup setup;
    setup.run.document = &m_document;
    setup.run.printers = m_printers;
    setup.run.reapplyOrder = [frame = &m_frame] {
        frame->SetSearchOrder(frame->state().searchOrder);
    };
    setup.mainWindow = &m_frame;
    m_dialog = make(std::move(setup));
    if (!m_dialog)
        return;
    QObject::connect(m_dialog, &reports::ReportDialog::closedDialog, &m_frame,
                     [frame = &m_frame] { frame->refreshCommands(); });
    m_dialog->show();
    m_frame.refreshCommands();
}

} // namespace kv::app
