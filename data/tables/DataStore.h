#pragma once

#include "data/engine/Connection.h"
#include "data/engine/EngineError.h"
#include "data/engine/TableDef.h"

#include <QString>
#include <QStringList>

namespace kv::data {

// The connections of one process to its data folder and program folder.
//
// SQLite attaches at most ten files to a connection, so the files are
// grouped:
// - the main connection: "001.mdb" as its main file and the ten files that
//   take part in units of work attached to it (slips, lines, ledger,
//   customers, vehicles, balances, items, sets, job categories, the sales
//   work table). A commit across them is atomic. "001.mdb" is never
//   replaced by a work copy, and it lies in the data folder, so SQLite's
//   super-journal lies where every computer that recovers it can see it.
// - the pick-list connection: "006.mdb" with "007.mdb" and "008.mdb".
// - the postal connection: the postal files present, read-only.
// Every recordset of a table uses connectionFor(table).
class DataStore {
public:
    DataStore();
    ~DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    // Opens every data-folder file, shared and read-write. On failure all
    // is closed and lastError() names the file.
    bool open(const QString& dataFolder);
    // Attaches the postal files of the program folder, read-only. A missing
    // file (kFileNotFound) is skipped and listed in missingPostalFiles();
    // any other failure stops with lastError() and false, the files opened
    // so far staying open.
    bool openPostal(const QString& programFolder);
    void close();

    Connection& mainConnection() { return m_main; }
    Connection& pickListConnection() { return m_pickLists; }
    Connection& postalConnection() { return m_postal; }
    Connection& connectionFor(const TableDef& table);
    Connection& connectionFor(const QString& fileName);

    QString dataFolder() const { return m_dataFolder; }
    const QStringList& missingPostalFiles() const { return m_missingPostal; }
    const EngineError& lastError() const { return m_error; }

    // The files of each connection, main file first.
    static const QStringList& mainFiles();
    static const QStringList& pickListFiles();

private:
    bool openGroup(Connection& connection, const QString& folder, const QStringList& files);

    Connection m_main;
    Connection m_pickLists;
    Connection m_postal;
    QString m_dataFolder;
    QStringList m_missingPostal;
    EngineError m_error;
};

} // namespace kv::data
