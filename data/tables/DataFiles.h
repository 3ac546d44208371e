#pragma once

#include "data/engine/Connection.h"
#include "data/engine/EngineError.h"
#include "data/engine/TableDef.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kv::data {

// The database files of a data folder and of the program folder. DataStore
// opens them; attachDataFile names each attached file "f" + its number
// ("f010").
// "001.mdb" ... "014.mdb", "030.mdb": the fifteen files of a data folder.
// "005.mdb" holds no table the program uses; it is created empty.
const QStringList& dataFileNames();
// "015.mdb" ... "019.mdb" in the program folder.
const QStringList& postalFileNames();
const std::vector<const TableDef*>& dataTables();
const std::vector<const TableDef*>& postalTables();

// Schema name under which a file is attached: "f010" for "010.mdb".
QString schemaNameFor(const QString& fileName);

// Attaches (or, after a detach, re-attaches from another folder) one file
// under its schema name.
bool attachDataFile(Connection& connection, const QString& folder, const QString& fileName,
                    OpenMode mode = OpenMode::ReadWrite);

// CREATE TABLE and CREATE INDEX statements of the table.
QByteArray createTableSql(const TableDef& table);

// Creates the fifteen database files of a new data folder with their
// schema. Refuses (kDatabaseExists) when any of them is present already;
// on failure no file is left behind.
bool createDataFolderDatabases(const QString& dataFolder, EngineError* error = nullptr);
// Creates the five postal files with their 47 empty tables.
bool createPostalDatabases(const QString& programFolder, EngineError* error = nullptr);

} // namespace kv::data
