#include "data/engine/EngineFunctions.h"

#include "common/Cp932.h"
#include "data/engine/LikePattern.h"

#include <QString>
#include <QVarLengthArray>

#include <sqlite3.h>

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

void deletePattern(void* pattern)
{
    delete static_cast<LikePattern*>(pattern);
}

void likeFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* value = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
    const std::string_view text(value, size_t(sqlite3_value_bytes(args[1])));
    if (const auto* cached = static_cast<const LikePattern*>(sqlite3_get_auxdata(context, 0))) {
        sqlite3_result_int(context, cached->matchesUtf8(text));
        return;
    }
    const auto* patternText = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    std::optional<LikePattern> compiled =
        LikePattern::compile(QString::fromUtf8(patternText, sqlite3_value_bytes(args[0])));
    if (!compiled) {
        sqlite3_result_error(context, "invalid pattern", -1);
        return;
    }
    sqlite3_result_int(context, compiled->matchesUtf8(text));
    // The pattern is a bound constant: compile it once per statement run.
    sqlite3_set_auxdata(context, 0, new LikePattern(std::move(*compiled)), deletePattern);
}

} // namespace

int registerEngineFunctions(sqlite3* db)
{
    int rc = sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, compareCp932,
                                         nullptr);
    if (rc != SQLITE_OK)
        return rc;
    return sqlite3_create_function_v2(db, kLikeFunction, 2,
                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY,
                                      nullptr, likeFunction, nullptr, nullptr, nullptr);
}

} // namespace kv::data
