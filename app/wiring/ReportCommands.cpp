#include "app/wiring/ReportCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "masters/FontChooser.h"
#include "reports/ui/CDPrintHoman.h"
#include "reports/ui/CDPrintKokCarMst.h"
#include "reports/ui/CDPrintMinyuuko.h"
#include "reports/ui/CDPrintMotoKokRank.h"
#include "reports/ui/CDPrintNyuuko.h"
#include "reports/ui/CDPrintSeikyu.h"
#include "reports/ui/CDPrintSyonen.h"
#include "reports/ui/CDPrintUriBunGr.h"
#include "reports/ui/CDPrintUriZan.h"

#include <QDate>

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

    // The sales analysis graph: a modal dialog whose graph windows it owns.
    m_group.add({
        .id = CommandId::SalesGraph,
        .text = QStringLiteral("売上分析グラフ(&G)..."),
        .run = [this] {
            reports::CDPrintUriBunGr::Setup setup;
            setup.document = &m_document;
            setup.printers = m_printers;
            setup.profile = m_profile;
            setup.reapplyOrder = [frame = &m_frame] { frame->SetSearchOrder(frame->state().searchOrder); };
            reports::CDPrintUriBunGr dialog(std::move(setup), &m_frame);
            dialog.exec();
        },
        .available = [this] { return !m_dialog; },
    });
    // The inspection reminders.
    addReport(CommandId::InspectionDueList, "車検入庫予定車輌一覧・はがき(&N)...",
              [this](reports::ReportDialog::Setup setup) -> reports::ReportDialog* {
                  return new reports::CDPrintNyuuko(std::move(setup), m_document,
                                                    QDate::currentDate(),
                                                    masters::FontChooser::system());
              });
    // The customer file.
    addReport(CommandId::CustomerVehicleList, "顧客・車輌一覧(&K)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintKokCarMst(std::move(setup), masters::FontChooser::system());
    });
    // The billing list and the receivables.
    addReport(CommandId::BillingList, "請求一覧(&B)...", [this](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintSeikyu(std::move(setup), m_profile);
    });
    addReport(CommandId::ReceivableList, "売掛残金一覧(&Z)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintUriZan(std::move(setup));
    });
    // The vehicles past their inspection and those whose insurance expires.
    addReport(CommandId::InspectionMissedList, "車検未入庫車輌一覧(&M)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintMinyuuko(std::move(setup));
    });
    addReport(CommandId::InsuranceDueList, "任意保険満期予定車輌一覧(&H)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintHoman(std::move(setup));
    });
    // The vehicles by first registration.
    addReport(CommandId::FirstYearList, "初年度該当車輌一覧(&F)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintSyonen(std::move(setup));
    });
    // The referrers ranked.
    addReport(CommandId::ReferrerRanking, "紹介者ランキング(&R)...", [](reports::ReportDialog::Setup setup) {
        return new reports::CDPrintMotoKokRank(std::move(setup));
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
    // The dialog is going (deleted later): the next report may open now.
    QObject::connect(m_dialog, &reports::ReportDialog::closedDialog, &m_frame, [this] {
        m_dialog = nullptr;
        m_frame.refreshCommands();
    });
    m_dialog->show();
    m_frame.refreshCommands();
}

} // namespace kv::app
