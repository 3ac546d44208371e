#include "app/wiring/CallerIdSystem.h"

#include "app/startup/ProcessFlags.h"
#include "callerid/core/CallInfoStore.h"
#include "callerid/core/CallerIdService.h"
#include "callerid/core/CallerLookup.h"
#include "callerid/core/RingSound.h"
#include "callerid/ui/platform/QtRingSoundPlayer.h"
#include "data/document/CCarMaintenanceDoc.h"

namespace kv::app {

CallerIdSystem::CallerIdSystem(data::CCarMaintenanceDoc& document, bool isClient,
                               std::unique_ptr<callerid::RingSoundPlayer> player)
    : m_document(document)
    , m_player(player ? std::move(player) : std::make_unique<callerid::QtRingSoundPlayer>())
    , m_sound(std::make_unique<callerid::RingSound>(m_player.get()))
    , m_lookup(std::make_unique<callerid::CallerLookup>(document.store().mainConnection()))
    , m_calls(std::make_unique<callerid::CallInfoStore>(document.settings()))
{
    callerid::CallerIdService::Setup setup;
    setup.isClient = isClient;
    setup.settings = &document.settings();
    setup.lookup = m_lookup.get();
    setup.calls = m_calls.get();
    setup.lookupSuspended = [] { return ProcessFlags::callLookupSuspended.load(); };
    m_service = std::make_unique<callerid::CallerIdService>(std::move(setup));
}

CallerIdSystem::~CallerIdSystem()
{
    m_service->StopCallerId();
}

void CallerIdSystem::loadRingSoundAtStart()
{
    const data::CallerIdSettings& settings = m_document.settings().callerId();
    m_sound->setEnabled(settings.soundOption == 0);
    // A shop that never chose a sound is not told at every start.
    if (!settings.soundPath.isEmpty())
        m_sound->LoadRingSound(settings.soundPath);
}

bool CallerIdSystem::start()
{
    return m_service->StartCallerId();
}

void CallerIdSystem::stop()
{
    m_service->StopCallerId();
}

} // namespace kv::app
