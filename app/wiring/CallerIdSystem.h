#pragma once

#include "callerid/core/RingSoundPlayer.h"

#include <memory>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::callerid {
class CallInfoStore;
class CallerIdService;
class CallerLookup;
class RingSound;
} // namespace kv::callerid

namespace kv::app {

// Caller ID's parts without windows, made with the document: the lookup on
// its customers, the call information, the ring sound and the adapter
// service. The document's creation starts it and its closing stops it.
class CallerIdSystem {
public:
    // player: none gives the sound system's; isClient: a LAN client never
    // drives an adapter.
    CallerIdSystem(data::CCarMaintenanceDoc& document, bool isClient,
                   std::unique_ptr<callerid::RingSoundPlayer> player = {});
    ~CallerIdSystem();

    // At start, between "017.dat" and "018.dat": the ring sound named in
    // "017.dat", when one is named.
    void loadRingSoundAtStart();
    // StartCallerId and StopCallerId of the document.
    bool start();
    void stop();

    callerid::CallerIdService& service() { return *m_service; }
    callerid::CallInfoStore& calls() { return *m_calls; }
    callerid::RingSound& sound() { return *m_sound; }
    data::CCarMaintenanceDoc& document() { return m_document; }

private:
    data::CCarMaintenanceDoc& m_document;
    std::unique_ptr<callerid::RingSoundPlayer> m_player;
    std::unique_ptr<callerid::RingSound> m_sound;
    std::unique_ptr<callerid::CallerLookup> m_lookup;
    std::unique_ptr<callerid::CallInfoStore> m_calls;
    std::unique_ptr<callerid::CallerIdService> m_service;
};

} // namespace kv::app
