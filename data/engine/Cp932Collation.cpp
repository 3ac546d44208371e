#include "data/engine/Cp932Collation.h"

#include "common/Cp932.h"
#include "data/engine/SqliteApi.h"

#include <QChar>
#include <QVarLengthArray>

namespace kv::data {

namespace {

using Utf16 = QVarLengthArray<char16_t, 128>;

// SQLite hands the collation UTF-8; a malformed byte becomes U+FFFD.
void toUtf16(const unsigned char* p, int n, Utf16& out)
{
    int i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out.append(b);
            ++i;
            continue;
        }
        int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra > 0;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (!ok) {
            out.append(0xFFFD);
            ++i;
            continue;
        }
        if (c > 0xFFFF) {
            out.append(QChar::highSurrogate(c));
            out.append(QChar::lowSurrogate(c));
        } else {
            out.append(char16_t(c));
        }
        i += extra + 1;
    }
}

int compareCp932(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    Utf16 left;
    Utf16 right;
    toUtf16(static_cast<const unsigned char*>(a), lengthA, left);
    toUtf16(static_cast<const unsigned char*>(b), lengthB, right);
    return kv::cp932::compare(QStringView(left.constData(), left.size()),
                              QStringView(right.constData(), right.size()));
}

} // namespace

int registerCp932Collation(sqlite3* db)
{
    return sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, compareCp932,
                                       nullptr);
}

} // namespace kv::data
