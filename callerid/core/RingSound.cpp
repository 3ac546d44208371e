#include "callerid/core/RingSound.h"

#include "callerid/core/CallerIdTexts.h"
#include "callerid/core/RingSoundPlayer.h"
#include "common/FileErrorMessage.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

#include <new>

namespace kv::callerid {

void RingSound::setPlayer(RingSoundPlayer* player)
{
    m_player = player;
    if (m_player)
        m_player->setSound(m_wave);
}

void RingSound::clear()
{
    m_wave.clear();
    if (m_player)
        m_player->setSound(m_wave);
}

bool RingSound::LoadRingSound(const QString& path)
{
    SharedFile file;
    int cause = FileCause::None;
    if (!file.open(path, FileMode::Read | FileMode::ShareDenyNone, &cause)) {
        showFileError(path, cause);
        return false;
    }
    clear();
    const qint64 size = file.size();
    QByteArray wave;
    try {
        wave.resize(size < 0 ? 0 : size);
    } catch (const std::bad_alloc&) {
        showMessage(CallerIdTexts::SoundAllocationFailed);
        return false;
    }
    if (size <= 0 || file.read(wave.data(), size) != size) {
        showMessage(CallerIdTexts::SoundReadFailed);
        return false;
    }
    m_wave = wave;
    if (m_player)
        m_player->setSound(m_wave);
    return true;
}

void RingSound::PlayRingSound()
{
    if (m_enabled && m_player && !m_wave.isEmpty())
        m_player->play();
}

} // namespace kv::callerid
