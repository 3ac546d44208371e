#include "data/tables/DataStore.h"

#include "data/tables/DataFiles.h"

#include <QDir>

namespace kv::data {

DataStore::DataStore() = default;

DataStore::~DataStore() = default;

const QStringList& DataStore::mainFiles()
{
    static const QStringList files{
        QStringLiteral("001.mdb"), QStringLiteral("002.mdb"), QStringLiteral("003.mdb"),
        QStringLiteral("004.mdb"), QStringLiteral("009.mdb"), QStringLiteral("010.mdb"),
        QStringLiteral("011.mdb"), QStringLiteral("012.mdb"), QStringLiteral("013.mdb"),
        QStringLiteral("014.mdb"), QStringLiteral("030.mdb")};
    return files;
}

const QStringList& DataStore::pickListFiles()
{
    static const QStringList files{QStringLiteral("006.mdb"), QStringLiteral("007.mdb"),
                                   QStringLiteral("008.mdb")};
    return files;
}

bool DataStore::openGroup(Connection& connection, const QString& folder, const QStringList& files)
{
    if (!connection.open(QDir(folder).filePath(files.front()))) {
        m_error = connection.lastError();
        return false;
    }
    for (qsizetype i = 1; i < files.size(); ++i) {
        if (!attachDataFile(connection, folder, files[i])) {
            m_error = connection.lastError();
            return false;
        }
    }
    return true;
}

bool DataStore::open(const QString& dataFolder)
{
    close();
    m_error = {};
    m_dataFolder = dataFolder;
    if (!openGroup(m_main, dataFolder, mainFiles())
        || !openGroup(m_pickLists, dataFolder, pickListFiles())) {
        const EngineError error = m_error;
        close();
        m_error = error;
        return false;
    }
    return true;
}

bool DataStore::openPostal(const QString& programFolder)
{
    m_postal.close();
    m_missingPostal.clear();
    m_error = {};
    for (const QString& fileName : postalFileNames()) {
        const QString path = QDir(programFolder).filePath(fileName);
        const bool ok = m_postal.isOpen() ? attachDataFile(m_postal, programFolder, fileName,
                                                           OpenMode::ReadOnly)
                                          : m_postal.open(path, OpenMode::ReadOnly);
        if (ok)
            continue;
        if (m_postal.lastError().code == error::kFileNotFound) {
            m_missingPostal << fileName;
            continue;
        }
        m_error = m_postal.lastError();
        return false;
    }
    return true;
}

void DataStore::close()
{
    m_main.close();
    m_pickLists.close();
    m_postal.close();
}

Connection& DataStore::connectionFor(const QString& fileName)
{
    for (const QString& file : pickListFiles()) {
        if (file.compare(fileName, Qt::CaseInsensitive) == 0)
            return m_pickLists;
    }
    if (postalFileNames().contains(fileName, Qt::CaseInsensitive))
        return m_postal;
    return m_main;
}

Connection& DataStore::connectionFor(const TableDef& table)
{
    return connectionFor(QString::fromLatin1(table.fileName));
}

} // namespace kv::data
