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

// The line of a pair that last had the focus.
PanelField lineOf(PanelField first, PanelField second, int line)
{
    return line == 0 ? first : second;
}

void append(records::PanelValues& values, PanelField field, const QString& chosen, int maxBytes)
{
    values.setText(field, PanelPickSource::appended(values.text(field), chosen, maxBytes));
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
        const PanelField name =
            user ? lineOf(PanelField::UserName1, PanelField::UserName2, m_panel.userNameLine())
                 : lineOf(PanelField::OwnerName1, PanelField::OwnerName2, m_panel.ownerNameLine());
        append(values, name, row->text, PanelPickSource::kNameBytes);
        append(values, PanelField::Furi, row->reading, PanelPickSource::kNameBytes);
        break;
    }
    case PickList::Addresses:
        if (!row)
            return;
        append(values,
               user ? lineOf(PanelField::UserJyu1, PanelField::UserJyu2, m_panel.userAddressLine())
                    : lineOf(PanelField::OwnerJyu1, PanelField::OwnerJyu2,
                             m_panel.ownerAddressLine()),
               row->text, PanelPickSource::kAddressBytes);
        break;
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
