#include "app/wiring/PendingCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"

namespace kv::app {

PendingCommands::PendingCommands(CMainFrame& frame)
    : m_group(frame.registry())
{
    using namespace CommandId;

    const auto menuItem = [this](int id, const char* text, std::function<bool()> available = {}) {
        m_group.add({.id = id, .text = QString::fromUtf8(text), .available = std::move(available)});
    };
    menuItem(LedgerReport, "元帳(&C)...");
    menuItem(DetailedInvoice, "明細請求書(&S)...");
    menuItem(SalesAnalysis, "売上分析表(&U)...");
    menuItem(VehicleHistoryList, "車歴一覧(&Y)...");
}

} // namespace kv::app
