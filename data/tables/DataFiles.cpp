#include "data/tables/DataFiles.h"

#include "data/engine/Cp932Collation.h"
#include "data/engine/DayNumber.h"
#include "data/engine/FilterTranslator.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/PostalRecordsets.h"

#include <QDir>
#include <QFile>

namespace kv::data {

namespace {

// Marks a file created by this program, for a later schema change.
constexpr int kSchemaVersion = 1;

QByteArray columnSql(const ColumnDef& column)
{
    QByteArray sql = FilterTranslator::quotedName(column.name);
    switch (column.type) {
    case ColumnType::AutoLong: return sql + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case ColumnType::Long: return sql + " INTEGER NOT NULL DEFAULT 0";
    case ColumnType::Text:
        return sql + " TEXT COLLATE " + kTextCollation + " NOT NULL DEFAULT ''";
    case ColumnType::Date:
        return sql + " REAL NOT NULL DEFAULT " + QByteArray::number(kEmptyDate, 'f', 1);
    case ColumnType::Double: return sql + " REAL NOT NULL DEFAULT 0";
    }
    return sql;
}

bool createFiles(const QString& folder, const QStringList& fileNames,
                 const std::vector<const TableDef*>& tables, EngineError* error)
{
    auto report = [error](const EngineError& e) {
        if (error)
            *error = e;
        return false;
    };
    const QDir dir(folder);
    for (const QString& name : fileNames) {
        if (QFile::exists(dir.filePath(name)))
            return report(EngineError::make(error::kDatabaseExists, dir.filePath(name)));
    }
    QStringList created;
    for (const QString& name : fileNames) {
        const QString path = dir.filePath(name);
        QByteArray sql = "BEGIN;";
        for (const TableDef* table : tables) {
            if (name.compare(QLatin1String(table->fileName), Qt::CaseInsensitive) == 0)
                sql += createTableSql(*table);
        }
        sql += "PRAGMA user_version = " + QByteArray::number(kSchemaVersion) + ";COMMIT;";
        Connection connection;
        const bool ok = connection.open(path, OpenMode::Create) && connection.execute(sql);
        const EngineError failure = connection.lastError();
        connection.close();
        if (QFile::exists(path))
            created << path;
        if (!ok) {
            for (const QString& file : std::as_const(created))
                QFile::remove(file);
            return report(failure);
        }
    }
    return true;
}

} // namespace

const QStringList& dataFileNames()
{
    static const QStringList names{
        QStringLiteral("001.mdb"), QStringLiteral("002.mdb"), QStringLiteral("003.mdb"),
        QStringLiteral("004.mdb"), QStringLiteral("005.mdb"), QStringLiteral("006.mdb"),
        QStringLiteral("007.mdb"), QStringLiteral("008.mdb"), QStringLiteral("009.mdb"),
        QStringLiteral("010.mdb"), QStringLiteral("011.mdb"), QStringLiteral("012.mdb"),
        QStringLiteral("013.mdb"), QStringLiteral("014.mdb"), QStringLiteral("030.mdb")};
    return names;
}

const QStringList& postalFileNames()
{
    static const QStringList names{QStringLiteral("015.mdb"), QStringLiteral("016.mdb"),
                                   QStringLiteral("017.mdb"), QStringLiteral("018.mdb"),
                                   QStringLiteral("019.mdb")};
    return names;
}

const std::vector<const TableDef*>& dataTables()
{
#define KV_TABLE_ENTRY(Table, Class, File) &Class::tableDef(),
    static const std::vector<const TableDef*> tables{KV_DATA_TABLES(KV_TABLE_ENTRY)};
#undef KV_TABLE_ENTRY
    return tables;
}

const std::vector<const TableDef*>& postalTables()
{
#define KV_TABLE_ENTRY(Infix, Table, File) &CDaoPost##Infix##Set::tableDef(),
    static const std::vector<const TableDef*> tables{KV_POSTAL_TABLES(KV_TABLE_ENTRY)};
#undef KV_TABLE_ENTRY
    return tables;
}

QString schemaNameFor(const QString& fileName)
{
    return u'f' + fileName.section(u'.', 0, 0);
}

bool attachDataFile(Connection& connection, const QString& folder, const QString& fileName,
                    OpenMode mode)
{
    return connection.attach(QDir(folder).filePath(fileName), schemaNameFor(fileName), mode);
}

QByteArray createTableSql(const TableDef& table)
{
    const QByteArray tableName = FilterTranslator::quotedName(table.name);
    QByteArray sql = "CREATE TABLE " + tableName + " (";
    for (size_t i = 0; i < table.columns.size(); ++i)
        sql += (i ? ", " : "") + columnSql(table.columns[i]);
    sql += ");";
    for (const char* index : table.indexes) {
        QByteArray name = table.name;
        QByteArray columns;
        for (const QByteArray& part : QByteArray(index).split(',')) {
            const QByteArray column = part.trimmed();
            name += '_' + column;
            columns += (columns.isEmpty() ? "" : ", ") + FilterTranslator::quotedName(column.constData());
        }
        sql += "CREATE INDEX " + FilterTranslator::quotedName(name.constData()) + " ON " + tableName + " ("
             + columns + ");";
    }
    return sql;
}

bool createDataFolderDatabases(const QString& dataFolder, EngineError* error)
{
    return createFiles(dataFolder, dataFileNames(), dataTables(), error);
}

bool createPostalDatabases(const QString& programFolder, EngineError* error)
{
    return createFiles(programFolder, postalFileNames(), postalTables(), error);
}

} // namespace kv::data
