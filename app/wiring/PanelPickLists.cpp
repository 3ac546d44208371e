#include "app/wiring/PanelPickLists.h"

#include "app/frame/CMainFrame.h"
#include "masters/CRefFrame.h"
#include "masters/core/PanelPickSource.h"
#include "records/panel/CFMainPanel.h"

namespace kv::app {

namespace {

using masters::CRefFrame;
using masters::PanelPickSource;
using records::PanelField;
using records::PickList;

CRefFrame::Kind kindOf(PickList list)
{
    switch (list) {
    case PickList::CustomerNames: return CRefFrame::Kind::Names;
    case PickList::Addresses: return CRefFrame::Kind::Addresses;
    case PickList::TransportOffices: return CRefFrame::Kind::TransportOffices;
    default: break;
    }
    return CRefFrame::Kind::Models;
}

QPoint offsetOf(PickList list)
{
    return list == PickList::TransportOffices ? QPoint(180, 86) : QPoint(7, 86);
}

} // namespace

PanelPickLists::PanelPickLists(CMainFrame& frame, records::CFMainPanel& panel,
                               data::CCarMaintenanceDoc& document)
    : m_frame(frame), m_panel(panel), m_source(std::make_unique<PanelPickSource>(document))
{
    m_panel.setPickListOpener([this](PickList list, bool user) { open(list, user); });
    m_frame.refreshCommands();
}

PanelPickLists::~PanelPickLists()
{
    m_panel.setPickListOpener({});
    if (m_open)
        delete m_open.data();
}

masters::CRefFrame* PanelPickLists::openList() const
{
    return m_open;
}

void PanelPickLists::open(PickList list, bool user)
{
    if (m_open || list == PickList::None)
        return;
    m_open = CRefFrame::open(kindOf(list), *m_source, &m_frame, m_frame.pos() + offsetOf(list),
                             [this, list, user](const masters::ItemRow* row, int make) {
                                 take(list, user, row, make);
                             });
}

void PanelPickLists::take(PickList list, bool user, const masters::ItemRow* row, int make)
{
    records::PanelValues& values = m_panel.heldValues();
    switch (list) {
    case PickList::CustomerNames: {
        if (!row)
            return;
        const int line = user ? m_panel.userNameLine() : m_panel.ownerNameLine();
        const PanelField name = user ? (line == 0 ? PanelField::UserName1 : PanelField::UserName2)
                                     : (line == 0 ? PanelField::OwnerName1 : PanelField::OwnerName2);
        values.setText(name, PanelPickSource::appended(values.text(name), row->text,
                                                       PanelPickSource::kNameBytes));
        values.setText(PanelField::Furi,
                       PanelPickSource::appended(values.text(PanelField::Furi), row->reading,
                                                 PanelPickSource::kNameBytes));
        break;
    }
    case PickList::Addresses: {
        if (!row)
            return;
        const int line = user ? m_panel.userAddressLine() : m_panel.ownerAddressLine();
        const PanelField address = user ? (line == 0 ? PanelField::UserJyu1 : PanelField::UserJyu2)
                                         : (line == 0 ? PanelField::OwnerJyu1 : PanelField::OwnerJyu2);
        values.setText(address, PanelPickSource::appended(values.text(address), row->text,
                                                          PanelPickSource::kAddressBytes));
        break;
    }
    case PickList::TransportOffices:
        if (!row)
            return;
        values.setText(PanelField::Rikuji, PanelPickSource::officeName(row->text));
        break;
    case PickList::VehicleNames:
        values.setIndex(PanelField::Syamei, make);
        if (row)
            values.setText(PanelField::Syasyu, row->text);
        break;
    case PickList::None: return;
    }
    m_panel.pickListChosen(list);
}

void PanelPickLists::reload()
{
    if (m_open)
        m_open->reload();
}

} // namespace kv::app
