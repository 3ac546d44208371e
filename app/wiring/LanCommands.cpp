#include "app/wiring/LanCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/FrameTexts.h"
#include "app/wiring/PanelFrameBridge.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "lan/core/LanTexts.h"
#include "masters/CDSetFixedList.h"
#include "masters/CDSetMeisai.h"
#include "masters/CRefFrame.h"
#include "masters/core/SetRules.h"
#include "slips/ui/CSetMeisaiSetFrame.h"
#include "masters/core/ItemRules.h"
#include "records/panel/CFMainPanel.h"

#include <QLabel>

namespace kv::app {

LanCommands::LanCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                         PanelFrameBridge& panel)
{
    using lan::LanMessage;
    namespace T = lan::LanTexts;
    const auto subscribe = [this](const QString& command, const QString& kind,
                                  lan::ChangeReceivers::Handler handler) {
        m_subscriptions.emplace_back(command, kind, std::move(handler));
    };

    // A customer (and vehicle) was recorded elsewhere: the recordsets are
    // ordered afresh, so searches and steps find it, and the totals follow.
    const auto requery = [&frame, &panel](const LanMessage&) {
        frame.SetSearchOrder(frame.state().searchOrder);
        panel.panel().showTotals();
    };
    subscribe(T::KokRequery, {}, requery);
    subscribe(T::KokCarRequery, {}, requery);

    subscribe(T::Update, {}, [&document, &panel](const LanMessage& message) {
        const data::SettingsUpdate update = document.settings().reloadForUpdate(message.kind());
        switch (update) {
        case data::SettingsUpdate::VehicleClasses:
        case data::SettingsUpdate::VehicleUses:
        case data::SettingsUpdate::BodyShapes:
        case data::SettingsUpdate::Makes:
        case data::SettingsUpdate::Fuels:
            panel.panel().refillLists();
            break;
        default:
            break;
        }
        // The transport offices and makes of an open pick list.
        if (masters::CRefFrame* list = masters::CRefFrame::openInstance())
            list->reload();
        // The open dialog of that list shows the slot as it is now.
        if (masters::CDSetFixedList* dialog = masters::CDSetFixedList::openFor(message.kind()))
            dialog->showSlot(message.field(4).toInt());
    });
    // An open pick list shows the rows read again.
    const auto pickList = [](data::Recordset& rows) {
        return [&rows](const LanMessage&) {
            rows.Requery();
            if (masters::CRefFrame* list = masters::CRefFrame::openInstance())
                list->reload();
        };
    };
    subscribe(T::Update, QStringLiteral("名前"), pickList(document.customerNames()));
    subscribe(T::Update, QStringLiteral("住所"), pickList(document.addresses()));
    subscribe(T::Update, QStringLiteral("車種"), pickList(document.models()));

    const QString sets = masters::SetRules::kindTitle();
    subscribe(T::Update, sets, [](const LanMessage&) {
        if (slips::CSetMeisaiSetFrame* window = slips::CSetMeisaiSetFrame::openInstance())
            window->setsChanged(false);
    });
    subscribe(T::Delete, sets, [](const LanMessage&) {
        if (slips::CSetMeisaiSetFrame* window = slips::CSetMeisaiSetFrame::openInstance())
            window->setsChanged(true);
    });

    const QString items = masters::ItemRules::kindTitle();
    subscribe(T::Update, items, [](const LanMessage& message) {
        if (masters::CDSetMeisai* dialog = masters::CDSetMeisai::openInstance())
            dialog->refreshItem(message.field(4).toInt(), message.field(5), message.field(6));
    });
    subscribe(T::Delete, items, [](const LanMessage& message) {
        if (masters::CDSetMeisai* dialog = masters::CDSetMeisai::openInstance())
            dialog->removeItem(message.field(4).toInt());
    });
}

void LanCommands::onCallInformation(std::function<void()> run)
{
    m_subscriptions.emplace_back(lan::LanTexts::TelCallInfo, QString(),
                                 [run = std::move(run)](const lan::LanMessage&) { run(); });
}

void LanCommands::showConnection(CMainFrame& frame, bool connected)
{
    frame.lanPane()->setText(connected ? FrameTexts::ClientPaneText
                                       : FrameTexts::ClientPaneText + QStringLiteral(" (")
                                             + lan::LanTexts::LanPaneDisconnected
                                             + QLatin1Char(')'));
}

} // namespace kv::app
