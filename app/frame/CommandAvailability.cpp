#include "app/frame/CommandAvailability.h"

#include "app/frame/CommandId.h"
#include "app/frame/FrameState.h"
#include "app/startup/ProcessFlags.h"

#include <algorithm>
#include <iterator>

namespace kv::app {

CommandAvailability::CommandAvailability(const FrameState& state, bool isClient,
                                         std::function<int()> clientCount)
    : m_state(state)
    , m_isClient(isClient)
    , m_clientCount(std::move(clientCount))
{
    resetButtons();
}

void CommandAvailability::resetButtons()
{
    using namespace CommandId;
    m_buttons = {
        {CustomerCodeSearch, true}, {CustomerReadingSearch, true}, {VehicleCodeSearch, true},
        {PlateNumberSearch, true},  {OwnedVehicles, true},         {CreateSlip, false},
        {Ledger, false},            {NewCustomer, true},           {NewVehicle, true},
        {RecordCustomerVehicle, true}, {CarriedForwardBalance, true}, {Exit, true},
        {Delete, true},             {ReadingIndexSearch, true},    {QueryByFormSearch, true},
        {Previous, false},          {Next, false},                 {ShowReceivedCalls, true},
        {CallHistory, false},
    };
}

bool CommandAvailability::childWindowOpen() const
{
    return m_state.indexWindowOpen || m_state.slipWindowOpen || m_state.ledgerWindowOpen;
}

bool CommandAvailability::holdsRecord(int command)
{
    using namespace CommandId;
    static constexpr int kCommands[] = {
        CustomerCodeSearch, CustomerReadingSearch, VehicleCodeSearch, PlateNumberSearch,
        OwnedVehicles,      Previous,              Next,              NewCustomer,
        NewVehicle,         RecordCustomerVehicle, CreateSlip,        Ledger,
        CarriedForwardBalance, ReadingIndexSearch, Delete,
    };
    return std::find(std::begin(kCommands), std::end(kCommands), command) != std::end(kCommands);
}

void CommandAvailability::SetCommandButtons(const Flags& flags)
{
    using namespace CommandId;
    m_buttons[VehicleCodeSearch] = flags.f3;
    m_buttons[PlateNumberSearch] = flags.f4;
    m_buttons[OwnedVehicles] = flags.f5;
    m_buttons[Previous] = flags.previous;
    m_buttons[Next] = flags.next;
    // The open window restores the rest when it closes.
    if (childWindowOpen())
        return;
    m_buttons[CreateSlip] = flags.slip;
    m_buttons[NewCustomer] = flags.newCustomer;
    m_buttons[NewVehicle] = flags.newVehicle;
    m_buttons[Ledger] = flags.ledgerGroup;
    m_buttons[CarriedForwardBalance] = flags.ledgerGroup;
    m_buttons[Delete] = flags.ledgerGroup && !m_isClient && clientCount() == 0;
    m_buttons[RecordCustomerVehicle] = flags.record;
}

bool CommandAvailability::buttonEnabled(int command) const
{
    return m_buttons.value(command, false);
}

void CommandAvailability::setButtonEnabled(int command, bool enabled)
{
    m_buttons[command] = enabled;
}

bool CommandAvailability::isAvailable(int command) const
{
    using namespace CommandId;
    const bool slipOrLedger = m_state.slipWindowOpen || m_state.ledgerWindowOpen;
    const bool alone = !m_isClient && clientCount() == 0;
    // While the panel holds a query's values no record command applies to it.
    if (m_state.queryMode && holdsRecord(command))
        return false;
    switch (command) {
    case CustomerCodeSearch:
    case CustomerReadingSearch:
        return !m_state.indexWindowOpen;
    case VehicleCodeSearch:
    case PlateNumberSearch:
        return !m_state.indexWindowOpen && buttonEnabled(command);
    case OwnedVehicles:
    case Previous:
    case Next:
    case NewCustomer:
    case NewVehicle:
    case RecordCustomerVehicle:
    case CreateSlip:
    case Ledger:
    case CarriedForwardBalance:
    case ReadingIndexSearch:
        return buttonEnabled(command);
    case Delete:
        return buttonEnabled(command) && alone;
    case Backup:
        return !childWindowOpen() && ProcessFlags::backupIdle && alone;
    case CompanyInformation:
    case Rounding:
        return !m_isClient;
    case AgencyFeeTax:
        return !slipOrLedger && !m_isClient;
    case JobCategories:
        return !slipOrLedger && alone;
    case WorkPartsItems:
    case WorkPartsSets:
        return !slipOrLedger && !m_state.setWindowOpen;
    case CallerIdSettings:
        return alone;
    case PopupSettings:
        return m_adapterPort;
    case HelpContents:
        return !m_helpOpen;
    case None:
        return false;
    default:
        return true;
    }
}

} // namespace kv::app
