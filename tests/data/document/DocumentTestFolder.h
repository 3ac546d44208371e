#pragma once

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"
#include "support/NoDefaultPrinter.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sqlite3.h>

#include <memory>

namespace kv::test {

// A fresh data folder as the data-folder creator makes it, and a document
// on it for one computer.
struct DocumentTestFolder {
    TempFolder folder;
    TempFolder programFolder;
    NoDefaultPrinter printers;
    RecordingMessageGateway messages;
    int diskChecks = 0;
    bool diskHasRoom = true;

    DocumentTestFolder()
    {
        kv::data::EngineError error;
        EXPECT_TRUE(kv::data::createDataFolderDatabases(folder.path(), &error))
            << error.description.toStdString();
        QString reason;
        EXPECT_TRUE(kv::data::writeDefaultSettings(folder.path(), &reason)) << reason.toStdString();
        for (const char* sub : {"Temp", "Photo", "Printer"})
            QDir(folder.path()).mkpath(QString::fromLatin1(sub));
    }

    kv::data::DocumentConfig config(int lanRole = 0, const QString& computer = "Server")
    {
        kv::data::DocumentConfig config;
        config.dataFolder = folder.path();
        config.programFolder = programFolder.path();
        config.lanRole = lanRole;
        config.computerName = computer;
        config.printers = &printers;
        config.openTiming = {1, 2000};
        config.freeBytes = [](const QString&, double* freeBytes) {
            *freeBytes = 1e12;
            return true;
        };
        config.checkDiskSpaceForWrite = [this] {
            ++diskChecks;
            return diskHasRoom;
        };
        return config;
    }

    std::unique_ptr<kv::data::CCarMaintenanceDoc> open(int lanRole = 0,
                                                       const QString& computer = "Server")
    {
        auto doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config(lanRole, computer));
        EXPECT_TRUE(doc->OpenAllDatabases()) << messages.messages().join('|').toStdString();
        return doc;
    }

    // Our own setup SQL on a connection of the document.
    static void sql(kv::data::CCarMaintenanceDoc& doc, const QByteArray& text)
    {
        ASSERT_TRUE(doc.store().mainConnection().execute(text))
            << doc.store().mainConnection().lastError().description.toStdString() << " in "
            << text.constData();
    }
    // The first column of the first row of our own query.
    static qint64 scalar(kv::data::CCarMaintenanceDoc& doc, const QByteArray& query)
    {
        sqlite3_stmt* statement = nullptr;
        qint64 value = -1;
        if (sqlite3_prepare_v2(doc.store().mainConnection().handle(), query.constData(), -1,
                               &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    }
    // The same as text ("ok" of an integrity check).
    static QString text(kv::data::CCarMaintenanceDoc& doc, const QByteArray& query)
    {
        sqlite3_stmt* statement = nullptr;
        QString value;
        if (sqlite3_prepare_v2(doc.store().mainConnection().handle(), query.constData(), -1,
                               &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            value = QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return value;
    }
    // Setup SQL on the file alone, as another program (or a folder made
    // before the document kept its code tables) would write it.
    void sqlOnFile(const QString& fileName, const QByteArray& text)
    {
        kv::data::Connection connection;
        ASSERT_TRUE(connection.open(folder.file(fileName)));
        ASSERT_TRUE(connection.execute(text)) << connection.lastError().description.toStdString();
    }
};

// "INSERT ... VALUES (1),(2),..." for the codes from first to last.
inline QByteArray insertCodes(const char* table, const char* column, int first, int last)
{
    QByteArray sql;
    sql += "WITH RECURSIVE c(n) AS (SELECT " + QByteArray::number(first)
         + " UNION ALL SELECT n + 1 FROM c WHERE n < " + QByteArray::number(last) + ") INSERT INTO "
         + table + " (" + column + ") SELECT n FROM c;";
    return sql;
}

} // namespace kv::test
