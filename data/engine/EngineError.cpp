#include "data/engine/EngineError.h"

#include <sqlite3.h>

namespace kv::data {

namespace {

QString textFor(int code)
{
    switch (code) {
    case error::kNoCurrentRecord: return QStringLiteral("カレント レコードがありません。");
    case error::kUpdateWithoutEdit:
        return QStringLiteral("AddNew または Edit を実行せずに Update を実行しました。");
    case error::kFileNotFound: return QStringLiteral("ファイル '%1' が見つかりません。");
    case error::kDiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case error::kReadOnly:
        return QStringLiteral("データベース '%1' は読み取り専用なので、更新できません。");
    case error::kDiskIo: return QStringLiteral("ディスクまたはネットワークのエラーです。");
    case error::kCorrupt:
        return QStringLiteral("データベース '%1' は破損している可能性があります。");
    case error::kCannotOpen: return QStringLiteral("ファイル '%1' を開けません。");
    case error::kUnknownColumn:
        return QStringLiteral("'%1' をフィールド名または式として認識できません。");
    case error::kSyntax: return QStringLiteral("クエリ式 '%1' の構文エラーです。");
    case error::kTableNotFound:
        return QStringLiteral("入力テーブル '%1' が見つかりません。");
    case error::kRecordDeleted: return QStringLiteral("レコードは削除されています。");
    case error::kDatabaseExists: return QStringLiteral("データベース '%1' は既に存在します。");
    case error::kLocked:
        return QStringLiteral("他のユーザーがロックしているため、'%1' を更新できません。");
    case error::kNotADatabase:
        return QStringLiteral("データベース形式 '%1' を認識できません。");
    case error::kTypeMismatch:
        return QStringLiteral("クエリ式 '%1' でデータ型が一致しません。");
    case error::kInvalidPattern:
        return QStringLiteral("クエリ式 '%1' のパターン文字列が正しくありません。");
    default: return QStringLiteral("データベース エラーが発生しました。(%1)");
    }
}

} // namespace

EngineError EngineError::make(int code, const QString& subject)
{
    EngineError e;
    e.code = code;
    QString text = textFor(code);
    e.description = text.contains(QLatin1String("%1")) ? text.arg(subject) : text;
    return e;
}

EngineError EngineError::fromSqlite(int sqliteCode, const QString& subject, const QString& detail)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return {};
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return make(error::kLocked, subject);
    case SQLITE_READONLY: return make(error::kReadOnly, subject);
    case SQLITE_FULL: return make(error::kDiskFull, subject);
    case SQLITE_IOERR: return make(error::kDiskIo, subject);
    case SQLITE_CORRUPT: return make(error::kCorrupt, subject);
    case SQLITE_NOTADB: return make(error::kNotADatabase, subject);
    case SQLITE_CANTOPEN: return make(error::kCannotOpen, subject);
    default:
        return make(error::kGeneric, detail.isEmpty() ? QString::number(sqliteCode) : detail);
    }
}

} // namespace kv::data
