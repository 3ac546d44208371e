#include "data/engine/TelephoneDigits.h"

// Also built into the shell's extension: an index on kv_tel_digits can be
// written only where the function is registered.
#include "data/engine/SqliteApi.h"

namespace kv::data {

namespace {

void telephoneDigitsFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const QByteArray digits =
        telephoneDigits(QByteArrayView(text, sqlite3_value_bytes(args[0])));
    sqlite3_result_text(context, digits.constData(), int(digits.size()), SQLITE_TRANSIENT);
}

} // namespace

QByteArray telephoneDigits(QByteArrayView utf8)
{
    QByteArray digits;
    const qsizetype n = utf8.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= '0' && b <= '9') {
            digits += char(b);
        } else if (b == 0xEF && i + 2 < n && static_cast<unsigned char>(utf8[i + 1]) == 0xBC) {
            // U+FF10..U+FF19, the full-width digits: EF BC 90..99.
            const auto last = static_cast<unsigned char>(utf8[i + 2]);
            if (last >= 0x90 && last <= 0x99) {
                digits += char('0' + (last - 0x90));
                i += 2;
            }
        }
    }
    return digits;
}

int registerTelephoneDigits(sqlite3* db)
{
    return sqlite3_create_function_v2(db, kTelephoneDigitsFunction, 1,
                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      nullptr, telephoneDigitsFunction, nullptr, nullptr,
                                      nullptr);
}

} // namespace kv::data
