#pragma once

#include <QByteArray>

namespace kv::callerid {

// Plays the ring sound (the whole content of a wave file) without waiting
// for it to end. The program's player uses the sound system; tests put in
// one that records what it was asked to play.
class RingSoundPlayer {
public:
    virtual ~RingSoundPlayer() = default;
    // The sound to play from now on; empty for none.
    virtual void setSound(const QByteArray& wave) = 0;
    virtual void play() = 0;
};

} // namespace kv::callerid
