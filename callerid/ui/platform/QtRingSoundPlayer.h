#pragma once

#include "callerid/core/RingSoundPlayer.h"

#include <QObject>

#include <memory>

class QSoundEffect;
class QTemporaryFile;

namespace kv::callerid {

// Plays the ring sound through Qt Multimedia. The sound effect reads from
// a file, so the sound in memory is written to a private temporary file
// first: what rings is what was loaded, even if the chosen file changes.
// play() returns at once; without a sound device nothing is heard.
class QtRingSoundPlayer final : public QObject, public RingSoundPlayer {
    Q_OBJECT
public:
    explicit QtRingSoundPlayer(QObject* parent = nullptr);
    ~QtRingSoundPlayer() override;

    void setSound(const QByteArray& wave) override;
    void play() override;

private:
    QSoundEffect* m_effect = nullptr;
    std::unique_ptr<QTemporaryFile> m_file;
};

} // namespace kv::callerid
