#include "app/frame/FrameCommands.h"

#include "app/frame/CommandId.h"
#include "app/frame/FramePanel.h"
#include "app/frame/FrameRecords.h"
#include "app/frame/FrameState.h"
#include "app/frame/FrameTexts.h"
#include "app/frame/PickListEditor.h"
#include "app/frame/SearchEntry.h"
#include "app/startup/ProcessFlags.h"
#include "common/MessageGateway.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/SettingsStore.h"
#include "print/PrinterAccess.h"

namespace kv::app {

FrameRecords::~FrameRecords() = default;
FramePanel::~FramePanel() = default;
SearchEntry::~SearchEntry() = default;
PickListEditor::~PickListEditor() = default;

namespace {

QString pickListResource(int command)
{
    switch (command) {
    case CommandId::CustomerNameList:
        return QStringLiteral("008.mdb");
    case CommandId::AddressList:
        return QStringLiteral("007.mdb");
    case CommandId::ModelList:
        return QStringLiteral("006.mdb");
    default:
        return {};
    }
}

} // namespace

FrameCommands::FrameCommands(FrameState& state, CommandAvailability& availability,
                             QString computerName)
    : m_state(state)
    , m_availability(availability)
    , m_computerName(std::move(computerName))
{
}

void FrameCommands::SetSearchOrder(int mode)
{
    if (!m_records)
        return;
    // By search mode, from CustomerCodeOrder on.
    static const QString sorts[4][2] = {
        {QStringLiteral("KokCode"), QStringLiteral("KokCode, CarCode")},
        {QStringLiteral("Furi, KokCode"), QStringLiteral("KokCode, CarCode")},
        {QStringLiteral("KokCode"), QStringLiteral("CarCode")},
        {QStringLiteral("KokCode"), QStringLiteral("Preno, CarCode")},
    };
    if (FrameState::isSearchMode(mode)) {
        m_state.searchOrder = mode;
        const QString(&sort)[2] = sorts[mode - FrameState::CustomerCodeOrder];
        m_records->orderCustomersAndVehicles(sort[0], sort[1]);
    }
    m_records->orderBalances(QStringLiteral("KokCode"));
}

void FrameCommands::SetCommandButtons(const CommandAvailability::Flags& flags)
{
    m_availability.SetCommandButtons(flags);
}

bool FrameCommands::DiscardReservedCustomer()
{
    if (m_state.reservedCustomerCode != 0 && m_records)
        m_records->deleteCustomer(m_state.reservedCustomerCode);
    m_state.reservedCustomerCode = 0;
    return true;
}

bool FrameCommands::DiscardReservedVehicle()
{
    if (m_state.reservedVehicleCode != 0 && m_records)
        m_records->deleteVehicle(m_state.reservedVehicleCode);
    m_state.reservedVehicleCode = 0;
    return true;
}

void FrameCommands::releaseReservations()
{
    m_records->ShareLock(QStringLiteral("NewKokDummy"), 0, data::ShareLockAction::Release);
    DiscardReservedCustomer();
    m_records->ShareLock(QStringLiteral("NewCarDummy"), 0, data::ShareLockAction::Release);
    DiscardReservedVehicle();
}

void FrameCommands::runSearch(Search search)
{
    if (!mainWindowEnabled())
        return;
    int newMode = FrameState::Nothing;
    bool found = false;
    switch (search) {
    case Search::CustomerCode: {
        const auto code = m_entry->customerCode();
        if (!code)
            return;
        newMode = FrameState::CustomerCodeOrder;
        if (m_state.previousSearchMode != newMode)
            SetSearchOrder(newMode);
        found = m_panel->ShowCustomer(*code, true);
        break;
    }
    case Search::CustomerReading: {
        const auto reading = m_entry->customerReading();
        if (!reading)
            return;
        newMode = FrameState::CustomerReadingOrder;
        if (m_state.previousSearchMode != newMode)
            SetSearchOrder(newMode);
        found = m_panel->ShowByReading(*reading);
        break;
    }
    case Search::VehicleCode: {
        const auto code = m_entry->vehicleCode();
        if (!code)
            return;
        newMode = FrameState::VehicleCodeOrder;
        // This search alone compares with the current mode.
        if (m_state.mode != newMode)
            SetSearchOrder(newMode);
        found = m_panel->ShowVehicle(*code, true);
        break;
    }
    case Search::PlateNumber: {
        const auto number = m_entry->plateNumber();
        if (!number)
            return;
        newMode = FrameState::PlateNumberOrder;
        if (m_state.previousSearchMode != newMode)
            SetSearchOrder(newMode);
        found = m_panel->ShowByPlate(*number);
        break;
    }
    }
    if (!found) {
        SetSearchOrder(m_state.mode);
        return;
    }
    m_state.previousSearchMode = newMode;
    m_state.mode = newMode;
    releaseReservations();
}

void FrameCommands::ownedVehicles()
{
    if (!mainWindowEnabled())
        return;
    m_panel->ShowOwnedVehicles();
    SetSearchOrder(m_state.mode);
}

void FrameCommands::step(bool next)
{
    if (!mainWindowEnabled())
        return;
    switch (m_state.mode) {
    case FrameState::CustomerCodeOrder:
    case FrameState::CustomerReadingOrder:
        m_panel->StepCustomer(next);
        break;
    case FrameState::VehicleCodeOrder:
    case FrameState::PlateNumberOrder:
        m_panel->StepVehicle(next);
        break;
    default:
        break;
    }
}

namespace {
CommandAvailability::Flags enteringNewRecord()
{
    CommandAvailability::Flags flags;
    flags.f3 = flags.f4 = true;
    flags.record = true;
    return flags;
}
} // namespace

void FrameCommands::newCustomer()
{
    if (!mainWindowEnabled())
        return;
    SetCommandButtons(enteringNewRecord());
    m_state.previousSearchMode = m_state.mode;
    m_state.reservedCustomerCode = m_panel->NewCustomer();
    m_state.mode = FrameState::NewCustomer;
}

void FrameCommands::newVehicle()
{
    if (!mainWindowEnabled())
        return;
    m_state.previousSearchMode = m_state.mode;
    int reserved = 0;
    if (!m_panel->NewVehicle(&reserved))
        return;
    m_state.reservedVehicleCode = reserved;
    SetCommandButtons(enteringNewRecord());
    m_state.mode = FrameState::NewVehicle;
}

void FrameCommands::record()
{
    if (!mainWindowEnabled())
        return;
    const int mode = m_state.mode;
    if (mode == FrameState::NewVehicle) {
        if (!m_panel->RecordNewVehicle())
            return;
        m_state.reservedVehicleCode = 0;
    } else if (FrameState::isSearchMode(mode)) {
        if (!m_panel->RecordCurrent())
            return;
    } else if (mode == FrameState::NewCustomer) {
        if (!m_panel->RecordNewCustomer())
            return;
        m_state.reservedCustomerCode = 0;
        CommandAvailability::Flags flags;
        flags.f3 = flags.f4 = flags.previous = flags.next = true;
        flags.newCustomer = flags.newVehicle = flags.ledgerGroup = flags.record = true;
        SetCommandButtons(flags);
    } else {
        return;
    }
    if (mode == FrameState::NewCustomer || mode == FrameState::NewVehicle) {
        // A new customer has no vehicle yet: it goes back to a customer
        // order, never to a vehicle order that would show it without one.
        const int previous = m_state.previousSearchMode;
        const bool customerOrder = previous == FrameState::CustomerCodeOrder
            || previous == FrameState::CustomerReadingOrder;
        const bool back = mode == FrameState::NewCustomer ? customerOrder
                                                          : FrameState::isSearchMode(previous);
        m_state.mode = back ? previous : int(FrameState::CustomerCodeOrder);
        if (!back)
            m_state.previousSearchMode = m_state.mode;
        if (m_state.mode != m_state.searchOrder)
            SetSearchOrder(m_state.mode);
    }
}

void FrameCommands::deleteShown()
{
    if (!mainWindowEnabled())
        return;
    ProcessFlags::callLookupSuspended = true;
    const SearchEntry::DeleteChoice choice = m_entry->chooseDeleteData();
    if (choice != SearchEntry::DeleteChoice::Cancel) {
        const bool customer = choice == SearchEntry::DeleteChoice::Customer;
        if (askYesNo(customer ? FrameTexts::DeleteCustomerQuestion
                              : FrameTexts::DeleteVehicleQuestion,
                     true)) {
            if (customer) {
                // A refused deletion leaves the customer shown, in its mode.
                if (m_panel->DeleteCustomer())
                    m_state.mode = FrameState::Nothing;
            } else if (m_panel->DeleteVehicle()) {
                m_state.mode = FrameState::CustomerCodeOrder;
                SetSearchOrder(m_state.mode);
                m_panel->SetModeText(m_state.mode);
            }
        }
    }
    ProcessFlags::callLookupSuspended = false;
}

void FrameCommands::editPickListUnderLock(int command)
{
    const QString resource = pickListResource(command);
    if (resource.isEmpty() || !m_records || !m_pickLists)
        return;
    if (!m_records->ShareLock(resource, 1, data::ShareLockAction::Claim)) {
        showMessage(FrameTexts::EditedElsewhere);
        return;
    }
    m_pickLists->edit(command);
    m_records->ShareLock(resource, 0, data::ShareLockAction::Release);
}

bool FrameCommands::printerSetup(print::PrinterAccess& printers)
{
    const auto chosen = printers.chooseSetup();
    if (!chosen)
        return false;
    if (!m_settings)
        return true;
    return m_settings->usePrinter(*chosen, m_computerName);
}

} // namespace kv::app
