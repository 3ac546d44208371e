#include "data/service/ShareLockTable.h"

#include "common/Cp932.h"
#include "data/service/FileMasks.h"

#include <QtEndian>

#include <algorithm>

namespace kv::data {

ShareLockTable::ShareLockTable()
    : m_bytes(kFileSize, '\0')
{
}

ShareLockTable ShareLockTable::fromBytes(const QByteArray& bytes)
{
    ShareLockTable table;
    const qsizetype used = qMin<qsizetype>(bytes.size(), kFileSize);
    std::copy_n(bytes.constData(), used, table.m_bytes.data());
    return table;
}

QByteArray ShareLockTable::storedName(const QString& computer)
{
    bool ok = true;
    const QByteArray plain = cp932::encode(computer, &ok);
    if (!ok || plain.isEmpty() || plain.size() > kMaxNameBytes)
        return {};
    QByteArray field(kNameFieldSize, '\0');
    bool anyNonZero = false;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        field[i] = static_cast<char>(static_cast<quint8>(plain[i]) ^ kNameMask);
        anyNonZero = anyNonZero || field[i] != '\0';
    }
    return anyNonZero ? field : QByteArray();
}

QByteArray ShareLockTable::nameField(int slot) const
{
    return m_bytes.mid(qsizetype(slot) * kSlotSize, kNameFieldSize);
}

bool ShareLockTable::isFree(int slot) const
{
    const char* field = m_bytes.constData() + qsizetype(slot) * kSlotSize;
    return std::all_of(field, field + kNameFieldSize, [](char c) { return c == '\0'; });
}

QString ShareLockTable::nameOf(int slot) const
{
    return decodedName(nameField(slot));
}

QString ShareLockTable::canonicalName(const QString& computer)
{
    const QByteArray stored = storedName(computer);
    return stored.isEmpty() ? computer : decodedName(stored);
}

QString ShareLockTable::decodedName(QByteArray field)
{
    // Trailing zeros are the terminator and padding; zeros inside are 'k's.
    while (!field.isEmpty() && field.back() == '\0')
        field.chop(1);
    for (char& c : field)
        c = static_cast<char>(static_cast<quint8>(c) ^ kNameMask);
    return cp932::decode(field);
}

qint32 ShareLockTable::codeOf(int slot) const
{
    const char* at = m_bytes.constData() + qsizetype(slot) * kSlotSize + kCodeOffset;
    return maskedCode(qFromLittleEndian<qint32>(at));
}

int ShareLockTable::slotOf(const QByteArray& name) const
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!isFree(slot) && nameField(slot) == name)
            return slot;
    }
    return -1;
}

int ShareLockTable::firstFree() const
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (isFree(slot))
            return slot;
    }
    return -1;
}

bool ShareLockTable::isHeldElsewhere(const QByteArray& name, qint32 code) const
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        // A free slot decodes to the mask itself, which is no code.
        if (!isFree(slot) && codeOf(slot) == code && nameField(slot) != name)
            return true;
    }
    return false;
}

void ShareLockTable::setSlot(int slot, const QByteArray& name, qint32 code)
{
    Q_ASSERT(name.size() == kNameFieldSize);
    std::copy_n(name.constData(), kNameFieldSize, m_bytes.data() + qsizetype(slot) * kSlotSize);
    setCode(slot, code);
}

void ShareLockTable::setCode(int slot, qint32 code)
{
    char* at = m_bytes.data() + qsizetype(slot) * kSlotSize + kCodeOffset;
    qToLittleEndian<qint32>(maskedCode(code), at);
}

void ShareLockTable::clearSlot(int slot)
{
    std::fill_n(m_bytes.data() + qsizetype(slot) * kSlotSize, kSlotSize, '\0');
}

} // namespace kv::data
