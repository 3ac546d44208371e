#include "app/wiring/MasterCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/CDSetMeisai.h"
#include "masters/core/DocumentItemStore.h"
#include "slips/ui/CDSetHasuuCalc.h"
#include "slips/ui/CDSetKazei.h"

namespace kv::app {

MasterCommands::Windows MasterCommands::documentWindows(CMainFrame& frame,
                                                        data::CCarMaintenanceDoc& document,
                                                        masters::DocumentItemStore& items)
{
    Windows windows;
    windows.workPartsItems = [&frame, &document, &items] {
        masters::CDSetMeisai dialog(items, document.settings().categories(),
                                    lan::changeAnnouncer(), &frame);
        dialog.exec();
        frame.activateWindow();
    };
    windows.rounding = [&frame, &document] {
        slips::CDSetHasuuCalc dialog(document.settings(), &frame);
        dialog.exec();
    };
    windows.agencyFeeTax = [&frame, &document] {
        slips::CDSetKazei dialog(document.settings(), &frame);
        dialog.exec();
    };
    return windows;
}

MasterCommands::MasterCommands(CMainFrame& frame, Windows windows)
    : m_group(frame.registry())
{
    using namespace CommandId;
    FrameCommands& flows = frame.commands();
    const CommandAvailability& rules = frame.availability();
    const FrameState& state = frame.state();
    const auto menuItem = [this](int id, const char* text, std::function<bool()> available = {},
                                 std::function<void()> run = {}) {
        m_group.add({
            .id = id,
            .text = QString::fromUtf8(text),
            .run = std::move(run),
            .available = std::move(available),
        });
    };
    // A slip or ledger being entered uses the tax, categories and items.
    const auto noSlipOrLedger = [&rules] { return !rules.slipOrLedgerOpen(); };
    const auto itemsFree = [&rules, &state] {
        return !rules.slipOrLedgerOpen() && !state.setWindowOpen;
    };

    // What must be set before the first slip.
    menuItem(CompanyInformation, "自社情報(&J)...", [&rules] { return !rules.isClient(); },
             std::move(windows.companyInformation));
    menuItem(Rounding, "端数処理(&H)...", [&rules] { return !rules.isClient(); },
             std::move(windows.rounding));
    menuItem(AgencyFeeTax, "代行料 課税・非課税(&D)...",
             [noSlipOrLedger, &rules] { return noSlipOrLedger() && !rules.isClient(); },
             std::move(windows.agencyFeeTax));
    menuItem(JobCategories, "入庫区分(&K)...",
             [noSlipOrLedger, &rules] { return noSlipOrLedger() && rules.alone(); },
             std::move(windows.jobCategories));
    menuItem(VehicleKinds, "種別（&S）...", {}, std::move(windows.vehicleKinds));
    menuItem(VehicleUses, "用途（&Y）...", {}, std::move(windows.vehicleUses));
    menuItem(BodyShapes, "車体の形状（&K）...", {}, std::move(windows.bodyShapes));
    menuItem(VehicleNameList, "車名（&M）...", {}, std::move(windows.vehicleNames));
    menuItem(Fuels, "燃料の種類（&E）...", {}, std::move(windows.fuels));

    // What is useful to set.
    menuItem(WorkPartsItems, "作業・部品(&B)...", itemsFree, std::move(windows.workPartsItems));
    menuItem(WorkPartsSets, "作業・部品セット(&S)...", itemsFree,
             std::move(windows.workPartsSets));
    for (const auto& [id, text] : {std::pair{CustomerNameList, "名前(&N)..."},
                                   std::pair{AddressList, "住所(&A)..."},
                                   std::pair{ModelList, "車種（&S）..."}}) {
        const int list = id;
        menuItem(list, text, [&flows] { return flows.pickListsAttached(); },
                 [&flows, list] { flows.editPickListUnderLock(list); });
    }
    menuItem(TransportOfficeList, "陸事(&R)...", {}, std::move(windows.transportOffices));
    menuItem(DefaultPrefecture, "既定の都道府県(&P)...", {}, std::move(windows.defaultPrefecture));
    // A slip being entered looks its costs up in these tables.
    menuItem(StatutoryCosts, "諸費用の表(&T)...", noSlipOrLedger, std::move(windows.statutoryCosts));
}

} // namespace kv::app
