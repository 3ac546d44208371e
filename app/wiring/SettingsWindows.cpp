#include "app/wiring/SettingsWindows.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "masters/CDSetFixedList.h"
#include "masters/CDSetJisya.h"
#include "masters/CDSetNyuukoKbn.h"
#include "masters/CDSetPostDefault.h"
#include "masters/CDSetReferenceList.h"
#include "masters/CDSetStatutoryCosts.h"
#include "masters/FontChooser.h"
#include "records/PostalSearch.h"
#include "records/panel/CFMainPanel.h"

namespace kv::app {

SettingsWindows::SettingsWindows(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                                 records::CFMainPanel& panel)
    : m_frame(frame)
    , m_document(document)
    , m_panel(panel)
    , m_postal(std::make_unique<records::PostalSearch>(document.store()))
{
    m_panel.setPostalSearch(m_postal.get());
    m_frame.commands().setPickListEditor(this);
}

SettingsWindows::~SettingsWindows()
{
    m_frame.commands().setPickListEditor(nullptr);
    m_panel.setPostalSearch(nullptr);
}

template <class Dialog>
void SettingsWindows::showFixedList()
{
    {
        Dialog dialog(m_document.settings(), &m_frame);
        dialog.exec();
    }
    // The vehicle form offers what the list now holds.
    m_panel.refillLists();
}

void SettingsWindows::addTo(MasterCommands::Windows& windows)
{
    windows.companyInformation = [this] {
        masters::CDSetJisya dialog(m_document.settings(), masters::FontChooser::system(), &m_frame);
        dialog.exec();
    };
    windows.jobCategories = [this] {
        masters::CDSetNyuukoKbn dialog(m_document, &m_frame);
        dialog.exec();
    };
    windows.statutoryCosts = [this] {
        masters::CDSetStatutoryCosts dialog(m_document.store().mainConnection(), &m_frame);
        dialog.exec();
    };
    windows.defaultPrefecture = [this] {
        masters::CDSetPostDefault dialog(m_document.settings(), &m_frame);
        dialog.exec();
    };
    windows.transportOffices = [this] {
        masters::CDSetRikuji dialog(m_document.settings(), &m_frame);
        dialog.exec();
    };
    windows.vehicleKinds = [this] { showFixedList<masters::CDSetSyubetu>(); };
    windows.vehicleUses = [this] { showFixedList<masters::CDSetYouto>(); };
    windows.bodyShapes = [this] { showFixedList<masters::CDSetKeijyo>(); };
    windows.vehicleNames = [this] { showFixedList<masters::CDSetSyamei>(); };
    windows.fuels = [this] { showFixedList<masters::CDSetNenryo>(); };
}

void SettingsWindows::edit(int command)
{
    switch (command) {
    case CommandId::CustomerNameList: {
        masters::CDSetKokName dialog(m_document, &m_frame);
        dialog.exec();
        break;
    }
    case CommandId::AddressList: {
        masters::CDSetJyu dialog(m_document, &m_frame);
        dialog.exec();
        break;
    }
    case CommandId::ModelList: {
        masters::CDSetSyasyu dialog(m_document, m_document.settings().makes(), &m_frame);
        dialog.exec();
        break;
    }
    default:
        break;
    }
}

} // namespace kv::app
