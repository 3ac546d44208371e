#pragma once

#include "common/KVCommonExport.h"

#include <QByteArray>
#include <QString>

// Conversion between the program's text (QString) and the CP932 bytes that
// files, byte limits and printing use. The mapping is glibc's CP932, which
// holds the NEC and IBM extensions that shops' data contains.
namespace kv::cp932 {

// Encodes text; a character CP932 cannot hold becomes '?' and clears *ok.
KVCOMMON_EXPORT QByteArray encode(const QString& text, bool* ok = nullptr);
// Decodes bytes; an illegal or cut-off sequence becomes U+FFFD.
KVCOMMON_EXPORT QString decode(const char* bytes, qsizetype length);
KVCOMMON_EXPORT QString decode(const QByteArray& bytes);
// Decodes a NUL-padded fixed-size field: stops at the first NUL.
KVCOMMON_EXPORT QString decodeField(const char* bytes, qsizetype size);

// Number of CP932 bytes the text needs (unrepresentable characters count 1).
KVCOMMON_EXPORT int byteLength(const QString& text);
// The longest prefix of text that fits into maxBytes, never splitting a
// double-byte character.
KVCOMMON_EXPORT QString truncateToBytes(const QString& text, int maxBytes);
// True when every character of text has a CP932 code.
KVCOMMON_EXPORT bool isRepresentable(const QString& text);
// Index of the first character CP932 cannot hold, or -1.
KVCOMMON_EXPORT qsizetype firstUnrepresentable(const QString& text);

// The CP932 code of one UTF-16 unit: 0x00..0xFF single byte, 0x8140.. double
// byte, -1 none. Surrogates have none.
KVCOMMON_EXPORT int codeOf(char16_t unit);

// Lead bytes of double-byte characters: 0x81..0x9F and 0xE0..0xFC.
KVCOMMON_EXPORT bool isLeadByte(unsigned char byte);
// True when the two bytes form a character CP932 defines.
KVCOMMON_EXPORT bool isLegalPair(unsigned char lead, unsigned char trail);

// Compares two texts in CP932 byte order (what sorting of readings relies
// on): negative, zero or positive.
KVCOMMON_EXPORT int compare(QStringView a, QStringView b);

} // namespace kv::cp932
