#include "data/engine/EngineFunctions.h"

#include "data/engine/LikePattern.h"
#include "data/engine/TelephoneDigits.h"

#include <QString>

#include <sqlite3.h>

namespace kv::data {

namespace {

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
    int rc = registerCp932Collation(db);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_create_function_v2(db, kLikeFunction, 2,
                                    SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY,
                                    nullptr, likeFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    return registerTelephoneDigits(db);
}

} // namespace kv::data
