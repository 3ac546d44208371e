#include "callerid/ui/platform/QtRingSoundPlayer.h"

#include <QSoundEffect>
#include <QDir>
#include <QTemporaryFile>
#include <QUrl>

namespace kv::callerid {

QtRingSoundPlayer::QtRingSoundPlayer(QObject* parent)
    : QObject(parent)
{
}

QtRingSoundPlayer::~QtRingSoundPlayer() = default;

void QtRingSoundPlayer::setSound(const QByteArray& wave)
{
    if (m_effect) {
        m_effect->stop();
        delete m_effect;
        m_effect = nullptr;
    }
    m_file.reset();
    if (wave.isEmpty())
        return;
    auto file = std::make_unique<QTemporaryFile>(QStringLiteral("%1/sabion-ring-XXXXXX.wav")
                                                     .arg(QDir::tempPath()));
    if (!file->open() || file->write(wave) != wave.size() || !file->flush())
        return;
    m_file = std::move(file);
    // Made on first use of a sound, so a program without one never touches
    // the sound system.
    m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(m_file->fileName()));
}

void QtRingSoundPlayer::play()
{
    if (m_effect)
        m_effect->play();
}

} // namespace kv::callerid
