#include "data/service/LockTables.h"

#include "common/FileErrorMessage.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"
#include "data/service/LockResources.h"
#include "data/service/ShareLockAction.h"
#include "data/service/ShareLockTable.h"

namespace kv::data {

namespace {
// Reads the table from the start of an open lock file; false after a read
// error, which has been shown.
bool readTable(SharedFile& file, ShareLockTable* table)
{
    QByteArray bytes(ShareLockTable::kFileSize, '\0');
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0) {
        showFileError(file.path(), file.lastCause());
        return false;
    }
    bytes.truncate(got);
    *table = ShareLockTable::fromBytes(bytes);
    return true;
}

bool writeTable(SharedFile& file, const ShareLockTable& table)
{
    if (file.seek(0) < 0 || !file.write(table.bytes())) {
        showFileError(file.path(), file.lastCause());
        return false;
    }
    return true;
}

// Opens the table exclusively for one read-modify-write: change acts on
// it (read first, or all free), and it is written back when it changed or
// always. False when the file cannot be had, read or written (shown).
bool rewrite(const ExclusiveFileOpener& opener, const QString& path, bool readFirst,
             bool alwaysWrite, const std::function<void(ShareLockTable&)>& change)
{
    SharedFile file;
    if (opener.open(file, path) != ExclusiveFileOpener::Outcome::Opened)
        return false;
    ShareLockTable table;
    if (readFirst && !readTable(file, &table))
        return false;
    const QByteArray before = table.bytes();
    change(table);
    if (!alwaysWrite && table.bytes() == before)
        return true;
    if (!writeTable(file, table))
        return false;
    if (!file.close()) {
        showFileError(path, file.lastCause());
        return false;
    }
    return true;
}

// Gives this computer's slot the code. A computer without a slot (its slot
// wiped by a server start after it joined) takes a free one, so that its
// claims keep guarding; a full table records nothing.
void assignCode(ShareLockTable& table, const QByteArray& name, qint32 code)
{
    int slot = table.slotOf(name);
    if (slot < 0)
        slot = table.firstFree();
    if (slot >= 0)
        table.setSlot(slot, name, code);
}
}

LockTables::LockTables(const QString& dataFolder, const RetryTiming& timing)
    : m_dataFolder(dataFolder)
    , m_opener(timing)
{
}

QString LockTables::lockFilePath(const QString& resource) const
{
    const QString file = LockResources::lockFileOf(resource);
    return file.isEmpty() ? QString() : m_dataFolder + QLatin1Char('/') + file;
}

bool LockTables::ShareLock(const QString& resource, const QString& computer, int code, int action)
{
    switch (action) {
    case ShareLockAction::Release:
    case ShareLockAction::Join:
    case ShareLockAction::Clear:
        break;
    case ShareLockAction::Claim:
    case ShareLockAction::IsHeldElsewhere:
    case ShareLockAction::SetHeld:
        if (code == 0)
            return true;
        break;
    default:
        return true;
    }

    const QString path = lockFilePath(resource);
    if (path.isEmpty())
        return false;
    QByteArray name;
    if (action != ShareLockAction::Clear) {
        name = ShareLockTable::storedName(computer);
        if (name.isEmpty())
            return false;
    }

    // Clear always writes: a short file must become the full 960 zero bytes.
    bool result = true;
    const bool opened = rewrite(m_opener, path, action != ShareLockAction::Clear,
                                action == ShareLockAction::Clear, [&](ShareLockTable& table) {
        switch (action) {
        case ShareLockAction::Release:
            if (const int slot = table.slotOf(name); slot >= 0)
                table.setCode(slot, 0);
            break;
        case ShareLockAction::Claim:
            if (table.isHeldElsewhere(name, code))
                result = false;
            else
                assignCode(table, name, code);
            break;
        case ShareLockAction::Join:
            if (table.slotOf(name) < 0) {
                if (const int slot = table.firstFree(); slot >= 0)
                    table.setSlot(slot, name, 0);
            }
            break;
        case ShareLockAction::IsHeldElsewhere:
            result = !table.isHeldElsewhere(name, code);
            break;
        case ShareLockAction::SetHeld:
            assignCode(table, name, code);
            break;
        default:
            break;
        }
    });
    return opened && result;
}

bool LockTables::clearSlotsOf(const QString& resource,
                              const std::function<bool(const QString&)>& isGone)
{
    const QString path = lockFilePath(resource);
    if (path.isEmpty())
        return false;
    // Always written: a short file becomes the full 960 bytes.
    return rewrite(m_opener, path, true, true, [&](ShareLockTable& table) {
        for (int slot = 0; slot < ShareLockTable::kSlotCount; ++slot) {
            if (!table.isFree(slot) && isGone(table.nameOf(slot)))
                table.clearSlot(slot);
        }
    });
}

bool LockTables::HeldLockFile(const QString& resource, const QString& computer, int code,
                              int action, SharedFile& file)
{
    if (action != ShareLockAction::IsHeldElsewhere && action != ShareLockAction::Hold)
        showMessage(QStringLiteral("SWが異常です！"));

    const QString path = lockFilePath(resource);
    if (path.isEmpty())
        return false;
    if (m_opener.open(file, path) != ExclusiveFileOpener::Outcome::Opened)
        return false;

    if (action == ShareLockAction::IsHeldElsewhere && code != 0) {
        const QByteArray name = ShareLockTable::storedName(computer);
        ShareLockTable table;
        if (name.isEmpty() || !readTable(file, &table) || table.isHeldElsewhere(name, code)) {
            file.close();
            return false;
        }
    }
    return true;
}

bool LockTables::runExclusively(const QString& resource, const std::function<void()>& work)
{
    const QString path = lockFilePath(resource);
    if (path.isEmpty())
        return false;
    SharedFile file;
    if (m_opener.open(file, path) != ExclusiveFileOpener::Outcome::Opened)
        return false;
    work();
    return true;
}

} // namespace kv::data
