#pragma once

#include <QByteArray>
#include <QString>

namespace kv::data {

// One lock-table file: 20 slots of 48 bytes, each a computer name (CP932,
// every byte XOR 0x6B, then zero bytes) and the code that computer holds
// (little-endian, XOR 0x5B3E91A7). A slot whose name bytes are all zero is
// free.
//
// Names are compared in their stored form over the whole name field. A 'k'
// stores as a zero byte, so a decoder that stopped at the first zero would cut
// "Desktop" to "Des" and never find that computer's slot again. Trailing 'k's
// cannot be told from the padding: "Desk" and "Des" share one slot, which is
// why computer names are best kept in upper case.
class ShareLockTable {
public:
    static constexpr int kSlotCount = 20;
    static constexpr int kSlotSize = 48;
    static constexpr int kNameFieldSize = 44;
    static constexpr int kMaxNameBytes = kNameFieldSize - 1;
    static constexpr int kCodeOffset = 44;
    static constexpr int kFileSize = kSlotCount * kSlotSize;

    // All 960 bytes zero: every slot free.
    ShareLockTable();
    // What a file holds: bytes past a short file's end read as zeros, bytes
    // past 960 are not part of the table.
    static ShareLockTable fromBytes(const QByteArray& bytes);
    const QByteArray& bytes() const { return m_bytes; }

    // The 44-byte name field for a computer name, or empty when the name
    // cannot be kept in a slot: it has no CP932 form, is longer than 43 bytes,
    // or would store as all zeros (empty, or only 'k's) and so read as free.
    static QByteArray storedName(const QString& computer);

    bool isFree(int slot) const;
    QString nameOf(int slot) const;
    // The name as its slot gives it back ("Desk" comes back as "Des"; a
    // name that cannot be stored stays as it is).
    static QString canonicalName(const QString& computer);
    qint32 codeOf(int slot) const;

    // Slot bearing the stored name, or -1.
    int slotOf(const QByteArray& name) const;
    int firstFree() const;
    // True when a slot of another computer holds code.
    bool isHeldElsewhere(const QByteArray& name, qint32 code) const;

    void setSlot(int slot, const QByteArray& name, qint32 code);
    void setCode(int slot, qint32 code);
    // All its bytes zero, as a cleared table has them.
    void clearSlot(int slot);

private:
    QByteArray nameField(int slot) const;
    static QString decodedName(QByteArray field);

    QByteArray m_bytes;
};

} // namespace kv::data
