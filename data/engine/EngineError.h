#pragma once

#include <QString>

namespace kv::data {

// Error codes of the database layer. Callers compare against these numbers
// (the postal files ignore kFileNotFound) and show the description text.
namespace error {
inline constexpr int kNone = 0;
inline constexpr int kGeneric = 3000;             // any other engine failure
inline constexpr int kNoCurrentRecord = 3021;     // move or read without a current row
inline constexpr int kUpdateWithoutEdit = 3020;   // Update without AddNew or Edit
inline constexpr int kFileNotFound = 3024;        // database file missing
inline constexpr int kDiskFull = 3026;
inline constexpr int kReadOnly = 3027;            // write to a file opened read-only
inline constexpr int kDiskIo = 3043;
inline constexpr int kCorrupt = 3049;
inline constexpr int kCannotOpen = 3051;          // present but cannot be opened
inline constexpr int kUnknownColumn = 3070;       // name in a filter or sort not in the table
inline constexpr int kSyntax = 3075;              // malformed filter, criteria or sort
inline constexpr int kTableNotFound = 3078;
inline constexpr int kRecordDeleted = 3167;       // the current row was deleted
inline constexpr int kDatabaseExists = 3204;      // creating over an existing file
inline constexpr int kLocked = 3218;              // another process holds the file
inline constexpr int kNotADatabase = 3343;
inline constexpr int kTypeMismatch = 3464;        // literal of the wrong kind for a column
inline constexpr int kInvalidPattern = 3468;      // malformed Like pattern
} // namespace error

// An engine failure: the number callers test and the Japanese text they show.
struct EngineError {
    int code = error::kNone;
    QString description;

    bool isError() const { return code != error::kNone; }
    explicit operator bool() const { return isError(); }

    static EngineError make(int code, const QString& subject = QString());
    // Maps an SQLite result code; detail is SQLite's own message, kept for
    // the log line of unexpected failures.
    static EngineError fromSqlite(int sqliteCode, const QString& subject,
                                  const QString& detail = QString());
};

} // namespace kv::data
