#include "data/costs/CostStore.h"

#include "data/costs/CostCsv.h"
#include "data/engine/Connection.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"
#include "data/engine/UnitOfWork.h"

#include <QFile>

#include <sqlite3.h>

namespace kv::data {

namespace {
constexpr char kFile[] = "001.mdb";
constexpr char kRows[] = "StatutoryCost";
constexpr char kSettings[] = "StatutoryCostSettings";
constexpr char kEco[] = "CarEco";
constexpr char kColumns[] = "Kind, FromDate, Area, Path, Class, Months, WeightUpTo, Age, Eco, "
                            "Years, Amount";

void bindRow(sqlite3_stmt* s, const CostRow& r)
{
    const QByteArray from = r.from.toString(Qt::ISODate).toLatin1();
    sqlite3_bind_int(s, 1, int(r.table));
    sqlite3_bind_text(s, 2, from.constData(), int(from.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(s, 3, int(r.area));
    sqlite3_bind_int(s, 4, int(r.path));
    sqlite3_bind_int(s, 5, int(r.vehicleClass));
    sqlite3_bind_int(s, 6, r.months);
    sqlite3_bind_int(s, 7, r.weightUpTo);
    sqlite3_bind_int(s, 8, r.age);
    sqlite3_bind_int(s, 9, r.eco ? 1 : 0);
    sqlite3_bind_int(s, 10, r.years);
    sqlite3_bind_int(s, 11, r.amount);
}

QString overlapWithStored(const std::vector<CostRow>& stored, const std::vector<CostRow>& added)
{
    std::vector<CostRow> all = stored;
    all.insert(all.end(), added.begin(), added.end());
    return CostRules::checkTogether(all);
}
} // namespace

CostStore::CostStore(Connection& mainConnection)
    : m_connection(mainConnection)
{
}

QByteArray CostStore::table(const char* name) const
{
    QString schema = m_connection.schemaOf(QString::fromLatin1(kFile));
    if (schema.isEmpty())
        schema = QStringLiteral("main");
    return FilterTranslator::quotedName(schema.toUtf8().constData()) + '.'
        + FilterTranslator::quotedName(name);
}

QString CostStore::failure()
{
    m_lastMessage = m_connection.lastError().description;
    if (m_lastMessage.isEmpty())
        m_lastMessage = QStringLiteral("諸費用の表を読み書きできません！");
    return m_lastMessage;
}

bool CostStore::tablesExist()
{
    QString schema = m_connection.schemaOf(QString::fromLatin1(kFile));
    return m_connection.tableExists(schema.isEmpty() ? QStringLiteral("main") : schema,
                                    QString::fromLatin1(kRows));
}

std::vector<CostRow> CostStore::shippedRows()
{
    QFile file(QStringLiteral(":/costs/statutory-costs.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CostCsv::read(file.readAll()).rows;
}

QString CostStore::ensureTables()
{
    if (tablesExist())
        return {};
    const std::vector<CostRow> shipped = shippedRows();
    if (shipped.empty())
        return m_lastMessage = QStringLiteral("諸費用の表の初期値を読めません！");
    UnitOfWork work(m_connection);
    if (!work.isActive())
        return failure();
    // Two computers may open an older folder at once: the one whose
    // settings row lands seeds the rows, the other finds them there.
    const QByteArray sql = "CREATE TABLE IF NOT EXISTS " + table(kRows)
        + " (ID INTEGER PRIMARY KEY AUTOINCREMENT, Kind INTEGER NOT NULL, FromDate TEXT NOT NULL,"
          " Area INTEGER NOT NULL, Path INTEGER NOT NULL, Class INTEGER NOT NULL,"
          " Months INTEGER NOT NULL, WeightUpTo INTEGER NOT NULL, Age INTEGER NOT NULL,"
          " Eco INTEGER NOT NULL, Years INTEGER NOT NULL, Amount INTEGER NOT NULL);"
          "CREATE TABLE IF NOT EXISTS " + table(kSettings)
        + " (ID INTEGER PRIMARY KEY CHECK (ID = 1), Area INTEGER NOT NULL, Path INTEGER NOT NULL);"
          "CREATE TABLE IF NOT EXISTS " + table(kEco)
        + " (CarCode INTEGER PRIMARY KEY, Eco INTEGER NOT NULL);"
          "INSERT OR IGNORE INTO " + table(kSettings) + " VALUES (1, 0, 0);";
    if (!m_connection.execute(sql))
        return failure();
    if (sqlite3_changes(m_connection.handle()) == 1) {
        for (const CostRow& row : shipped) {
            if (!insert(row).isEmpty())
                return m_lastMessage;
        }
    }
    if (!work.commit())
        return m_lastMessage = work.lastError().description;
    return {};
}

QString CostStore::insert(const CostRow& row)
{
    sqlite3_stmt* s = m_connection.prepareCached("INSERT INTO " + table(kRows) + " (" + kColumns
                                                 + ") VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    if (!s)
        return failure();
    StatementScope scope(s);
    bindRow(s, row);
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(kRows));
        return failure();
    }
    return {};
}

std::optional<std::vector<CostRow>> CostStore::rows()
{
    sqlite3_stmt* s = m_connection.prepareCached(
        "SELECT ID, " + QByteArray(kColumns) + " FROM " + table(kRows)
        + " ORDER BY Kind, Class, Area, Path, Months, Eco DESC, WeightUpTo, Age, FromDate, ID");
    if (!s) {
        failure();
        return std::nullopt;
    }
    StatementScope scope(s);
    std::vector<CostRow> rows;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        CostRow r;
        r.id = sqlite3_column_int(s, 0);
        r.table = CostTable(sqlite3_column_int(s, 1));
        r.from = QDate::fromString(
            QString::fromLatin1(reinterpret_cast<const char*>(sqlite3_column_text(s, 2))), Qt::ISODate);
        r.area = CostArea(sqlite3_column_int(s, 3));
        r.path = InspectionPath(sqlite3_column_int(s, 4));
        r.vehicleClass = CostClass(sqlite3_column_int(s, 5));
        r.months = sqlite3_column_int(s, 6);
        r.weightUpTo = sqlite3_column_int(s, 7);
        r.age = sqlite3_column_int(s, 8);
        r.eco = sqlite3_column_int(s, 9) != 0;
        r.years = sqlite3_column_int(s, 10);
        r.amount = sqlite3_column_int(s, 11);
        rows.push_back(r);
    }
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(kRows));
        failure();
        return std::nullopt;
    }
    return rows;
}

QString CostStore::write(const CostRow& row)
{
    m_lastMessage = CostRules::checkRow(row);
    if (!m_lastMessage.isEmpty())
        return m_lastMessage += u'！';
    UnitOfWork work(m_connection);
    if (!work.isActive())
        return failure();
    auto stored = rows();
    if (!stored)
        return m_lastMessage;
    std::erase_if(*stored, [&](const CostRow& r) { return r.id == row.id && row.id != 0; });
    if (!(m_lastMessage = overlapWithStored(*stored, {row})).isEmpty())
        return m_lastMessage;
    if (row.id == 0) {
        if (!insert(row).isEmpty())
            return m_lastMessage;
    } else {
        sqlite3_stmt* s = m_connection.prepareCached(
            "UPDATE " + table(kRows)
            + " SET Kind = ?, FromDate = ?, Area = ?, Path = ?, Class = ?, Months = ?,"
              " WeightUpTo = ?, Age = ?, Eco = ?, Years = ?, Amount = ? WHERE ID = ?");
        if (!s)
            return failure();
        StatementScope scope(s);
        bindRow(s, row);
        sqlite3_bind_int(s, 12, row.id);
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_DONE) {
            m_connection.fail(rc, QString::fromLatin1(kRows));
            return failure();
        }
    }
    if (!work.commit())
        return m_lastMessage = work.lastError().description;
    return {};
}

QString CostStore::deleteWhere(const char* name, const char* column, int value)
{
    sqlite3_stmt* s = m_connection.prepareCached("DELETE FROM " + table(name) + " WHERE "
                                                 + column + " = ?");
    if (!s)
        return failure();
    StatementScope scope(s);
    sqlite3_bind_int(s, 1, value);
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(name));
        return failure();
    }
    return m_lastMessage = {};
}

QString CostStore::remove(int id)
{
    return deleteWhere(kRows, "ID", id);
}

QString CostStore::forgetVehicle(int carCode)
{
    return deleteWhere(kEco, "CarCode", carCode);
}

QString CostStore::import(const std::vector<CostRow>& added)
{
    m_lastMessage = CostRules::checkTogether(added);
    for (const CostRow& row : added) {
        if (!m_lastMessage.isEmpty())
            break;
        if (!(m_lastMessage = CostRules::checkRow(row)).isEmpty())
            m_lastMessage += u'！';
    }
    if (!m_lastMessage.isEmpty())
        return m_lastMessage;
    UnitOfWork work(m_connection);
    if (!work.isActive())
        return failure();
    const auto stored = rows();
    if (!stored)
        return m_lastMessage;
    if (!(m_lastMessage = overlapWithStored(*stored, added)).isEmpty())
        return m_lastMessage;
    for (const CostRow& row : added) {
        if (!insert(row).isEmpty())
            return m_lastMessage;
    }
    if (!work.commit())
        return m_lastMessage = work.lastError().description;
    return {};
}

std::optional<CostSettings> CostStore::settings()
{
    sqlite3_stmt* s = m_connection.prepareCached("SELECT Area, Path FROM " + table(kSettings)
                                                 + " WHERE ID = 1");
    if (!s) {
        failure();
        return std::nullopt;
    }
    StatementScope scope(s);
    CostSettings settings;
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
        settings.area = CostArea(sqlite3_column_int(s, 0));
        settings.path = InspectionPath(sqlite3_column_int(s, 1));
    } else if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(kSettings));
        failure();
        return std::nullopt;
    }
    return settings;
}

QString CostStore::writeSettings(const CostSettings& settings)
{
    sqlite3_stmt* s = m_connection.prepareCached("INSERT OR REPLACE INTO " + table(kSettings)
                                                 + " (ID, Area, Path) VALUES (1, ?, ?)");
    if (!s)
        return failure();
    StatementScope scope(s);
    sqlite3_bind_int(s, 1, int(settings.area));
    sqlite3_bind_int(s, 2, int(settings.path));
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(kSettings));
        return failure();
    }
    return m_lastMessage = {};
}

bool CostStore::isEco(int carCode)
{
    sqlite3_stmt* s = m_connection.prepareCached("SELECT Eco FROM " + table(kEco)
                                                 + " WHERE CarCode = ?");
    if (!s)
        return false;
    StatementScope scope(s);
    sqlite3_bind_int(s, 1, carCode);
    return sqlite3_step(s) == SQLITE_ROW && sqlite3_column_int(s, 0) != 0;
}

QString CostStore::setEco(int carCode, bool eco)
{
    // A vehicle code is reused after a deletion, so a plain car writes its
    // row too rather than leaving an old one behind.
    sqlite3_stmt* s = m_connection.prepareCached("INSERT OR REPLACE INTO " + table(kEco)
                                                 + " (CarCode, Eco) VALUES (?, ?)");
    if (!s)
        return failure();
    StatementScope scope(s);
    sqlite3_bind_int(s, 1, carCode);
    sqlite3_bind_int(s, 2, eco ? 1 : 0);
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(kEco));
        return failure();
    }
    return m_lastMessage = {};
}

} // namespace kv::data
