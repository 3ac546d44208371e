#pragma once

#include "data/engine/Cp932Collation.h"
#include "data/tools/DataFolderCreator.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <map>

#include <sqlite3.h>

namespace kv::test {

// A shop's data folder ("Data") in a temporary folder, with room beside it
// for destinations and restores, and the messages the user would see.
struct BackupTestShop {
    TempFolder root;
    QString data = root.path() + QStringLiteral("/Data");
    RecordingMessageGateway messages;

    BackupTestShop()
    {
        QString error;
        EXPECT_TRUE(data::DataFolderCreator::create(data, &error)) << error.toStdString();
    }

    QString path(const QString& name) const { return root.path() + u'/' + name; }

    // Every row of every table of every database, in rowid order, as text.
    static std::map<QString, QStringList> tables(const QString& folder)
    {
        std::map<QString, QStringList> dump;
        for (const QString& file : QDir(folder).entryList({QStringLiteral("*.mdb")}, QDir::Files)) {
            sqlite3* db = nullptr;
            EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(folder + u'/' + file).constData(), &db,
                                      SQLITE_OPEN_READONLY, nullptr),
                      SQLITE_OK);
            data::registerCp932Collation(db);
            QStringList names;
            query(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", &names);
            for (const QString& table : std::as_const(names)) {
                QStringList rows;
                query(db, "SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY rowid", &rows);
                dump[file + u'/' + table] = rows;
            }
            sqlite3_close(db);
        }
        return dump;
    }

    // Names and contents of every file below a folder.
    static std::map<QString, QByteArray> files(const QString& folder)
    {
        std::map<QString, QByteArray> all;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all[QDir(folder).relativeFilePath(file.fileName())] =
                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
        }
        return all;
    }

    static void query(sqlite3* db, const QByteArray& sql, QStringList* rows)
    {
        sqlite3_stmt* statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_blob(statement, c));
                columns.append(QString::fromUtf8(text, sqlite3_column_bytes(statement, c)));
            }
            rows->append(columns.join(u'\x1f'));
        }
        sqlite3_finalize(statement);
    }

    static void sql(const QString& database, const QByteArray& text)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(database).constData(), &db), SQLITE_OK);
        data::registerCp932Collation(db);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, text.constData(), nullptr, nullptr, &error), SQLITE_OK) << error;
        sqlite3_free(error);
        sqlite3_close(db);
    }
};

} // namespace kv::test
