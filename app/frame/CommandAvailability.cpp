#include "app/frame/CommandAvailability.h"

#include "app/frame/CommandId.h"
#include "app/frame/FrameState.h"

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
    // The command's rule asks for a server alone when it is run, so the
    // button comes back as the last client leaves.
    m_buttons[Delete] = flags.ledgerGroup;
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

bool CommandAvailability::panelHoldsRecord() const
{
    return !m_state.queryMode;
}

bool CommandAvailability::slipOrLedgerOpen() const
{
    return m_state.slipWindowOpen || m_state.ledgerWindowOpen;
}

} // namespace kv::app
