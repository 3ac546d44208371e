#pragma once

#include <QByteArray>
#include <QString>

namespace kv::callerid {

class RingSoundPlayer;

// The ring sound: the whole sound file read into memory, played when a
// recognised call opens its pop-up and by the settings window's test.
class RingSound {
public:
    explicit RingSound(RingSoundPlayer* player = nullptr) : m_player(player) {}

    void setPlayer(RingSoundPlayer* player);
    // Whether a sound is played at all: the settings' sound option 1 turns
    // it off.
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Reads the file into memory in place of the sound before. False after
    // the message (the file error text, "サウンド確保失敗！" or
    // "サウンドリード失敗！"); the sound before is gone then.
    bool LoadRingSound(const QString& path);
    // Nothing when no sound is loaded or the sound is off.
    void PlayRingSound();

    void clear();
    const QByteArray& wave() const { return m_wave; }
    bool isLoaded() const { return !m_wave.isEmpty(); }

private:
    RingSoundPlayer* m_player;
    QByteArray m_wave;
    bool m_enabled = true;
};

} // namespace kv::callerid
