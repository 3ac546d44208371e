#include "app/wiring/PanelFrameBridge.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/FrameRecords.h"
#include "app/wiring/HeldRecordCommands.h"
#include "app/wiring/RecordCommands.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"
#include "records/PanelMode.h"
#include "records/panel/CFMainPanel.h"
#include "records/panel/CertificateImport.h"
#include "records/panel/PanelQueryForm.h"
#include "records/recording/NewRecordEntry.h"
#include "records/recording/PanelRecorder.h"
#include "records/recording/PanelRemoval.h"
#include "records/search/PanelSearches.h"

#include <QVBoxLayout>

namespace kv::app {

namespace {

// The frame, the panel and the searches hand the mode to each other as a
// number.
constexpr bool sameMode(int frame, int panel, int search = -1)
{
    return frame == panel && (search < 0 || search == panel);
}
using Navigator = records::search::PanelNavigator;
static_assert(sameMode(FrameState::Nothing, records::PanelMode::Nothing));
static_assert(sameMode(FrameState::CustomerCodeOrder, records::PanelMode::CustomerCodeOrder,
                       Navigator::CustomerCodeOrder));
static_assert(sameMode(FrameState::CustomerReadingOrder, records::PanelMode::ReadingOrder,
                       Navigator::ReadingOrder));
static_assert(sameMode(FrameState::VehicleCodeOrder, records::PanelMode::VehicleCodeOrder,
                       Navigator::VehicleCodeOrder));
static_assert(sameMode(FrameState::PlateNumberOrder, records::PanelMode::PlateOrder,
                       Navigator::PlateOrder));
static_assert(sameMode(FrameState::NewCustomer, records::PanelMode::NewCustomer));
static_assert(sameMode(FrameState::NewVehicle, records::PanelMode::NewVehicle));

} // namespace

PanelFrameBridge::PanelFrameBridge(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                                   FrameRecords& records, QSettings* profile)
    : m_frame(frame)
    , m_records(records)
    , m_source(document)
    , m_profile(profile)
{
    QWidget* slot = frame.viewSlot();
    m_panel = new records::CFMainPanel(m_source, document.settings(), *this, slot);
    auto* layout = qobject_cast<QVBoxLayout*>(slot->layout());
    if (!layout) {
        delete slot->layout();
        layout = new QVBoxLayout(slot);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(m_panel);
    m_panel->showTotals();
    m_searches = std::make_unique<records::search::PanelSearches>(
        document.store(), *this, document.settings().makes().entries(), m_profile, &frame);
    m_queryForm =
        std::make_unique<records::PanelQueryForm>(*m_panel, *m_searches, m_profile, *this);
    m_newRecords = std::make_unique<records::NewRecordEntry>(*m_panel, document, *this, *this);
    m_recorder = std::make_unique<records::PanelRecorder>(*m_panel, document, *this, *this);
    m_removal = std::make_unique<records::PanelRemoval>(*m_panel, document, *this);

    frame.commands().setPanel(this);
    RecordCommands::SearchWindows windows;
    windows.readingIndex = [this] { m_searches->openReadingIndex(); };
    windows.queryByForm = [this] { m_queryForm->run(); };
    RecordCommands::PickLists pickLists;
    pickLists.open = [this](int command) {
        using records::PickList;
        switch (command) {
        case CommandId::FieldPickList: m_panel->ReferenceInput(); break;
        case CommandId::OwnerNamePickList: m_panel->openPickList(PickList::CustomerNames); break;
        case CommandId::OwnerAddressPickList: m_panel->openPickList(PickList::Addresses); break;
        case CommandId::TransportOfficePickList:
            m_panel->openPickList(PickList::TransportOffices);
            break;
        case CommandId::VehicleNamePickList: m_panel->openPickList(PickList::VehicleNames); break;
        default: break;
        }
    };
    pickLists.attached = [this] { return m_panel->pickListsAttached(); };

    records::CertificateImport::Flows certificateFlows;
    certificateFlows.showVehicle = [this](int code) {
        // As the vehicle code search shows it.
        FrameState& state = m_frame.state();
        const int mode = state.mode;
        if (mode != FrameState::VehicleCodeOrder)
            m_frame.SetSearchOrder(FrameState::VehicleCodeOrder);
        if (!m_panel->ShowVehicle(code, true)) {
            m_frame.SetSearchOrder(mode);
            return false;
        }
        state.previousSearchMode = state.mode = FrameState::VehicleCodeOrder;
        return true;
    };
    certificateFlows.newVehicle = [this] {
        m_frame.commands().newVehicle();
        return m_frame.state().mode == FrameState::NewVehicle;
    };
    certificateFlows.newCustomer = [this] {
        m_frame.commands().newCustomer();
        return m_frame.state().mode == FrameState::NewCustomer;
    };
    certificateFlows.mode = [this] { return m_frame.state().mode; };
    certificateFlows.available = [this] {
        return !m_frame.state().queryMode && !m_frame.state().indexWindowOpen;
    };
    m_certificate = std::make_unique<records::CertificateImport>(
        *m_panel, document.store(), document.settings(), std::move(certificateFlows));
    RecordCommands::Certificate certificate;
    certificate.importFile = [this] { m_certificate->chooseFile(); };
    certificate.readCodes = [this] { m_certificate->readCodes(); };
    m_commands = std::make_unique<RecordCommands>(frame, std::move(windows), std::move(pickLists),
                                                  std::move(certificate));
    frame.refreshCommands();
}

PanelFrameBridge::~PanelFrameBridge()
{
    // The frame outlives the bridge; the searches' windows and the panel
    // must not outlive their navigator and host.
    m_commands.reset();
    m_certificate.reset();
    m_frame.commands().setPanel(nullptr);
    m_queryForm.reset();
    m_searches.reset();
    m_removal.reset();
    m_recorder.reset();
    m_newRecords.reset();
    delete m_panel;
}

records::CFMainPanel& PanelFrameBridge::panel() const
{
    return *m_panel;
}

bool PanelFrameBridge::ShowCustomer(int code, bool setMode)
{
    return m_panel->ShowCustomer(code, setMode);
}

bool PanelFrameBridge::ShowByReading(const QString& reading)
{
    return m_searches->showByReading(reading);
}

bool PanelFrameBridge::ShowVehicle(int code, bool setMode)
{
    return m_panel->ShowVehicle(code, setMode);
}

bool PanelFrameBridge::ShowByPlate(const QString& number)
{
    return m_searches->showByPlate(number.toInt());
}

void PanelFrameBridge::ShowOwnedVehicles()
{
    m_searches->showOwnedVehicles();
}

void PanelFrameBridge::StepCustomer(bool next)
{
    m_panel->StepCustomer(next);
}

void PanelFrameBridge::StepVehicle(bool next)
{
    m_panel->StepVehicle(next);
}

int PanelFrameBridge::NewCustomer()
{
    return m_newRecords->NewCustomer();
}

bool PanelFrameBridge::NewVehicle(int* reservedCode)
{
    int code = 0;
    const bool prepared = m_newRecords->NewVehicle(&code);
    if (reservedCode)
        *reservedCode = code;
    return prepared;
}

bool PanelFrameBridge::RecordNewVehicle()
{
    return m_recorder->RecordNewVehicle();
}

bool PanelFrameBridge::RecordCurrent()
{
    return m_recorder->RecordCurrent();
}

bool PanelFrameBridge::RecordNewCustomer()
{
    if (!m_recorder->RecordNewCustomer())
        return false;
    m_certificate->customerRecorded();
    return true;
}

bool PanelFrameBridge::DeleteCustomer()
{
    return m_removal->DeleteCustomer();
}

bool PanelFrameBridge::DeleteVehicle()
{
    return m_removal->DeleteVehicle();
}

void PanelFrameBridge::SetModeText(int mode)
{
    m_panel->SetModeText(mode);
}

int PanelFrameBridge::mode() const
{
    return m_frame.state().mode;
}

void PanelFrameBridge::SetCommandButtons(bool f3, bool f4, bool f5, bool previous, bool next,
                                         bool slip, bool newCustomer, bool newVehicle,
                                         bool ledgerGroup, bool record)
{
    CommandAvailability::Flags flags;
    flags.f3 = f3;
    flags.f4 = f4;
    flags.f5 = f5;
    flags.previous = previous;
    flags.next = next;
    flags.slip = slip;
    flags.newCustomer = newCustomer;
    flags.newVehicle = newVehicle;
    flags.ledgerGroup = ledgerGroup;
    flags.record = record;
    if (m_frame.state().indexWindowOpen)
        m_flagsOnClose = flags;
    m_frame.SetCommandButtons(flags);
}

void PanelFrameBridge::setQueryMode(bool on)
{
    FrameState& state = m_frame.state();
    state.queryMode = on;
    // The panel holds no record meanwhile; the query restores the mode.
    if (on)
        state.mode = FrameState::Nothing;
    m_frame.refreshCommands();
}

int PanelFrameBridge::reservedCode(records::RecordKind kind) const
{
    const FrameState& state = m_frame.state();
    return kind == records::RecordKind::Customer ? state.reservedCustomerCode
                                                 : state.reservedVehicleCode;
}

void PanelFrameBridge::setReservedCode(records::RecordKind kind, int code)
{
    FrameState& state = m_frame.state();
    (kind == records::RecordKind::Customer ? state.reservedCustomerCode
                                           : state.reservedVehicleCode) = code;
}

void PanelFrameBridge::discardReservation(records::RecordKind kind)
{
    if (kind == records::RecordKind::Customer)
        m_frame.DiscardReservedCustomer();
    else
        m_frame.DiscardReservedVehicle();
}

int PanelFrameBridge::previousSearchMode() const
{
    return m_frame.state().previousSearchMode;
}

bool PanelFrameBridge::showCustomer(int code, bool setMode)
{
    return ShowCustomer(code, setMode);
}

bool PanelFrameBridge::showVehicle(int code, bool setMode)
{
    return ShowVehicle(code, setMode);
}

void PanelFrameBridge::setModeText(int mode)
{
    SetModeText(mode);
}

void PanelFrameBridge::setSearchMode(int mode)
{
    m_frame.state().mode = mode;
    m_frame.SetSearchOrder(mode);
}

void PanelFrameBridge::releaseReservations()
{
    m_records.ShareLock(QStringLiteral("NewKokDummy"), 0, data::ShareLockAction::Release);
    m_frame.DiscardReservedCustomer();
    m_records.ShareLock(QStringLiteral("NewCarDummy"), 0, data::ShareLockAction::Release);
    m_frame.DiscardReservedVehicle();
}

void PanelFrameBridge::indexWindowOpened(bool disablesMainWindow)
{
    CommandAvailability& availability = m_frame.availability();
    if (m_heldButtons.isEmpty()) {
        for (const int command : kHeldRecordCommands)
            m_heldButtons.insert(command, availability.buttonEnabled(command));
    }
    for (const int command : kHeldRecordCommands)
        availability.setButtonEnabled(command, false);
    m_frame.state().indexWindowOpen = true;
    if (disablesMainWindow)
        m_frame.setEnabled(false);
    m_frame.refreshCommands();
}

void PanelFrameBridge::indexWindowClosed(bool disabledMainWindow)
{
    CommandAvailability& availability = m_frame.availability();
    for (auto it = m_heldButtons.cbegin(); it != m_heldButtons.cend(); ++it)
        availability.setButtonEnabled(it.key(), it.value());
    m_heldButtons.clear();
    m_frame.state().indexWindowOpen = false;
    if (disabledMainWindow)
        m_frame.setEnabled(true);
    // A record shown meanwhile decides the buttons, as if shown now.
    if (m_flagsOnClose)
        m_frame.SetCommandButtons(*m_flagsOnClose);
    m_flagsOnClose.reset();
    m_frame.refreshCommands();
}

int PanelFrameBridge::shownCustomerCode() const
{
    return m_panel->shownCustomerCode();
}

} // namespace kv::app
