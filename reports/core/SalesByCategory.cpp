#include "reports/core/SalesByCategory.h"

#include "data/engine/Connection.h"
#include "data/engine/DayNumber.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"
#include "data/tables/DaoRecordsets.h"

#include <sqlite3.h>

#include <cmath>

namespace kv::reports {

namespace {

using data::Connection;

double periodStart(const QDate& first)
{
    return data::toDayNumber(first, QTime(0, 0, 0));
}

double periodEnd(const QDate& last)
{
    return data::toDayNumber(last, QTime(23, 59, 59));
}

QByteArray tableOf(Connection& connection, const char* file, const char* table)
{
    const QString schema = connection.schemaOf(QString::fromLatin1(file));
    if (schema.isEmpty())
        return {};
    return data::FilterTranslator::quotedName(schema.toUtf8().constData()) + '.'
           + data::FilterTranslator::quotedName(table);
}

// The sums of the ledger's and the report table's rows of one category
// (by code, by name) in a span of day numbers.
class SpanSums {
public:
    SpanSums(Connection& connection, bool withReport) : m_connection(connection), m_withReport(withReport) {}

    bool prepare(QString* error)
    {
        const QByteArray ledger = tableOf(m_connection, "013.mdb", "ToriJnl");
        const QByteArray report = tableOf(m_connection, "030.mdb", "UriBunReport");
        if (ledger.isEmpty() || (m_withReport && report.isEmpty()))
            return failed(QStringLiteral("%1 が開かれていません！")
                              .arg(ledger.isEmpty() ? QStringLiteral("013.mdb") : QStringLiteral("030.mdb")),
                          error);
        m_ledger = m_connection.prepareCached(
            "SELECT count(*), sum(Buhin), sum(Koutin), sum(Sonota), sum(HikaSyohi + KaSyohi), sum(Zei + SyoZei), "
            "sum(Tot) FROM " + ledger + " WHERE NyuukoKbnCode = ?1 AND Date BETWEEN ?2 AND ?3");
        if (m_ledger && m_withReport)
            m_report = m_connection.prepareCached(
                "SELECT sum(Kensu), total(Buhin), total(Koutin), total(Sonota), total(UriTot), total(Syohi), "
                "total(Zei), total(Tot) FROM " + report + " WHERE NyuukoKbn = ?1 AND Date BETWEEN ?2 AND ?3");
        if (!m_ledger || (m_withReport && !m_report))
            return failed(m_connection.lastError().description, error);
        return true;
    }

    // Adds the category's rows of the span to the slot.
    bool add(SalesFigures& figures, int slot, const SalesCategory& category, double from, double to,
             QString* error)
    {
        if (m_withReport && !addReport(figures, slot, category.name, from, to, error))
            return false;
        return addLedger(figures, slot, category.code, from, to, error);
    }

private:
    static bool failed(const QString& text, QString* error)
    {
        if (error)
            *error = text;
        return false;
    }

    bool stepped(sqlite3_stmt* statement, const char* table, QString* error)
    {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            return true;
        return failed(m_connection.fail(rc, QString::fromLatin1(table)).description, error);
    }

    bool addLedger(SalesFigures& figures, int slot, int code, double from, double to, QString* error)
    {
        data::StatementScope scope(m_ledger);
        sqlite3_bind_int(m_ledger, 1, code);
        sqlite3_bind_double(m_ledger, 2, from);
        sqlite3_bind_double(m_ledger, 3, to);
        if (!stepped(m_ledger, "ToriJnl", error))
            return false;
        SalesMeasures m;
        m.count = sqlite3_column_int64(m_ledger, 0);
        m.parts = sqlite3_column_int64(m_ledger, 1);
        m.labour = sqlite3_column_int64(m_ledger, 2);
        m.other = sqlite3_column_int64(m_ledger, 3);
        m.expenses = sqlite3_column_int64(m_ledger, 4);
        m.tax = sqlite3_column_int64(m_ledger, 5);
        m.total = sqlite3_column_int64(m_ledger, 6);
        m.sales = m.parts + m.labour + m.other; // each within 32-bit rows x rows: no wrap
        figures.add(slot, m);
        return true;
    }

    bool addReport(SalesFigures& figures, int slot, const QString& name, double from, double to, QString* error)
    {
        data::StatementScope scope(m_report);
        const QByteArray utf8 = name.toUtf8();
        sqlite3_bind_text(m_report, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(m_report, 2, from);
        sqlite3_bind_double(m_report, 3, to);
        if (!stepped(m_report, "UriBunReport", error))
            return false;
        // The table keeps its amounts as doubles: whole yen beyond the
        // figures' limit are an overflow, not a rounding.
        qint64 amounts[7] = {};
        for (int i = 0; i < 7; ++i) {
            const double value = std::round(sqlite3_column_double(m_report, i + 1));
            if (!std::isfinite(value) || std::fabs(value) > double(SalesFigures::kLimit)) {
                figures.add(slot, SalesMeasures{0, SalesFigures::kLimit + 1}); // stops as an overflow
                return true;
            }
            amounts[i] = qint64(value);
        }
        figures.add(slot, SalesMeasures{sqlite3_column_int64(m_report, 0), amounts[0], amounts[1], amounts[2],
                                        amounts[3], amounts[4], amounts[5], amounts[6]});
        return true;
    }

    Connection& m_connection;
    bool m_withReport;
    sqlite3_stmt* m_ledger = nullptr;
    sqlite3_stmt* m_report = nullptr;
};

} // namespace

std::optional<std::vector<SalesCategory>> SalesByCategory::loadCategories(data::Connection& connection,
                                                                          QString* error)
{
    CDaoNyuukoKbnSet set(connection);
    if (!set.Open()) {
        if (error)
            *error = set.lastError().description;
        return std::nullopt;
    }
    std::vector<SalesCategory> categories;
    for (; !set.IsEOF(); set.MoveNext())
        categories.push_back({set.m_NyuukoKbnCode, set.m_NyuukoKbn, set.m_NyuukoKind});
    set.Close();
    return categories;
}

std::vector<SalesCategory> SalesByCategory::slotCategories(const std::vector<SalesCategory>& all)
{
    std::vector<SalesCategory> taken;
    for (const SalesCategory& category : all) {
        if (category.kind == kPaymentKind)
            continue;
        if (int(taken.size()) == SalesFigures::kSlots)
            break;
        taken.push_back(category);
    }
    return taken;
}

std::optional<SalesFigures> SalesByCategory::byCategory(data::Connection& connection,
                                                        const std::vector<SalesCategory>& taken,
                                                        const QDate& first, const QDate& last, Sources sources,
                                                        QString* error)
{
    SpanSums sums(connection, sources == Sources::LedgerAndReport);
    if (!sums.prepare(error))
        return std::nullopt;
    SalesFigures figures;
    for (int slot = 0; slot < int(taken.size()) && figures.ok(); ++slot) {
        if (!sums.add(figures, slot, taken[size_t(slot)], periodStart(first), periodEnd(last), error))
            return std::nullopt;
    }
    figures.finish();
    return figures;
}

std::optional<SalesFigures> SalesByCategory::byMonth(data::Connection& connection, const SalesCategory& category,
                                                     const QDate& firstMonth, Sources sources, QString* error)
{
    SpanSums sums(connection, sources == Sources::LedgerAndReport);
    if (!sums.prepare(error))
        return std::nullopt;
    SalesFigures figures;
    const QDate start(firstMonth.year(), firstMonth.month(), 1);
    for (int month = 0; month < kMonths && figures.ok(); ++month) {
        const QDate first = start.addMonths(month);
        const QDate last(first.year(), first.month(), first.daysInMonth());
        if (!sums.add(figures, month, category, periodStart(first), periodEnd(last), error))
            return std::nullopt;
    }
    figures.finish();
    return figures;
}

} // namespace kv::reports
