#include "common/Cp932.h"

#include <iconv.h>

#include <array>
#include <cstring>
#include <memory>
#include <mutex>

namespace kv::cp932 {
namespace {

// Both directions are tabulated once from iconv: per-character iconv calls
// would be far too slow for sorting and for checking every typed key.
struct Tables {
    std::array<int32_t, 0x10000> toCode;   // UTF-16 unit -> CP932 code or -1
    std::array<char16_t, 0x10000> toUnit;  // CP932 code -> UTF-16 unit, 0 = none

    Tables()
    {
        toCode.fill(-1);
        toUnit.fill(0);
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            qFatal("iconv has no CP932 converter");
        auto convert = [&](const char* in, size_t inLength) -> int32_t {
            char out[8];
            char* inPtr = const_cast<char*>(in);
            char* outPtr = out;
            size_t inLeft = inLength, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
                return -1;
            if (sizeof out - outLeft != 2)
                return -1;
            return static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8);
        };
        for (int b = 0; b < 0x100; ++b) {
            if (isLeadByte(static_cast<unsigned char>(b)))
                continue;
            char in = static_cast<char>(b);
            int32_t u = convert(&in, 1);
            if (u >= 0) {
                toUnit[b] = static_cast<char16_t>(u);
                if (toCode[u] < 0)
                    toCode[u] = b;
            }
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                int32_t u = convert(in, 2);
                if (u < 0)
                    continue;
                int code = (lead << 8) | trail;
                toUnit[code] = static_cast<char16_t>(u);
                // Several codes map to one character (NEC and IBM duplicates);
                // the encoder uses the first, as Windows does.
                if (toCode[u] < 0)
                    toCode[u] = code;
            }
        }
        iconv_close(cd);
        // Characters that CP932 encodes but decodes to another form (U+2212
        // is written as 0x817C, which reads back as U+FF0D).
        iconv_t enc = iconv_open("CP932", "UTF-16LE");
        if (enc != reinterpret_cast<iconv_t>(-1)) {
            for (int u = 1; u < 0x10000; ++u) {
                if (toCode[u] >= 0 || (u >= 0xD800 && u <= 0xDFFF))
                    continue;
                char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
                char out[4];
                char* inPtr = in;
                char* outPtr = out;
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(enc, nullptr, nullptr, nullptr, nullptr);
                if (iconv(enc, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
                    continue;
                size_t n = sizeof out - outLeft;
                if (n == 1)
                    toCode[u] = static_cast<unsigned char>(out[0]);
                else if (n == 2)
                    toCode[u] = (static_cast<unsigned char>(out[0]) << 8) | static_cast<unsigned char>(out[1]);
            }
            iconv_close(enc);
        }
        // iconv maps U+0000 both ways; keep it as the single byte 0.
        toCode[0] = 0;
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isLegalPair(unsigned char lead, unsigned char trail)
{
    if (!isLeadByte(lead))
        return false;
    return tables().toUnit[(lead << 8) | trail] != 0;
}

int codeOf(char16_t unit)
{
    return tables().toCode[unit];
}

QByteArray encode(const QString& text, bool* ok)
{
    const Tables& t = tables();
    QByteArray out;
    out.reserve(text.size() * 2);
    bool allGood = true;
    for (QChar c : text) {
        int32_t code = t.toCode[c.unicode()];
        if (code < 0) {
            out.append('?');
            allGood = false;
        } else if (code > 0xFF) {
            out.append(static_cast<char>(code >> 8));
            out.append(static_cast<char>(code & 0xFF));
        } else {
            out.append(static_cast<char>(code));
        }
    }
    if (ok)
        *ok = allGood;
    return out;
}

QString decode(const char* bytes, qsizetype length)
{
    const Tables& t = tables();
    QString out;
    out.reserve(length);
    for (qsizetype i = 0; i < length; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (isLeadByte(b)) {
            if (i + 1 >= length) {
                out.append(QChar(0xFFFD));
                break;
            }
            auto trail = static_cast<unsigned char>(bytes[i + 1]);
            char16_t u = t.toUnit[(b << 8) | trail];
            out.append(u ? QChar(u) : QChar(0xFFFD));
            ++i;
        } else {
            char16_t u = t.toUnit[b];
            out.append((u || b == 0) ? QChar(u) : QChar(0xFFFD));
        }
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QString decodeField(const char* bytes, qsizetype size)
{
    const void* nul = std::memchr(bytes, 0, static_cast<size_t>(size));
    qsizetype length = nul ? static_cast<const char*>(nul) - bytes : size;
    return decode(bytes, length);
}

static int unitBytes(int32_t code)
{
    return code > 0xFF ? 2 : 1;
}

int byteLength(const QString& text)
{
    const Tables& t = tables();
    int n = 0;
    for (QChar c : text)
        n += unitBytes(t.toCode[c.unicode()]);
    return n;
}

QString truncateToBytes(const QString& text, int maxBytes)
{
    const Tables& t = tables();
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int w = unitBytes(t.toCode[text[i].unicode()]);
        if (n + w > maxBytes)
            return text.left(i);
        n += w;
    }
    return text;
}

qsizetype firstUnrepresentable(const QString& text)
{
    const Tables& t = tables();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (t.toCode[text[i].unicode()] < 0)
            return i;
    return -1;
}

bool isRepresentable(const QString& text)
{
    return firstUnrepresentable(text) < 0;
}

int compare(QStringView a, QStringView b)
{
    const Tables& t = tables();
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        int32_t ca = t.toCode[a[i].unicode()];
        int32_t cb = t.toCode[b[i].unicode()];
        if (ca == cb) {
            if (ca < 0 && a[i] != b[i])
                return a[i].unicode() < b[i].unicode() ? -1 : 1;
            continue;
        }
        // Compare as byte strings: a single byte against a lead byte.
        unsigned fa = ca > 0xFF ? unsigned(ca) >> 8 : unsigned(ca);
        unsigned fb = cb > 0xFF ? unsigned(cb) >> 8 : unsigned(cb);
        if (ca < 0) fa = 0x3F;  // encoded as '?'
        if (cb < 0) fb = 0x3F;
        if (fa != fb)
            return fa < fb ? -1 : 1;
        // Same first byte: both double-byte with different trail bytes, or
        // one is '?' for an unrepresentable character.
        return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace kv::cp932
