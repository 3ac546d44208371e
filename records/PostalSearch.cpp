#include "records/PostalSearch.h"

#include "data/engine/Connection.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"
#include "data/tables/DataStore.h"
#include "data/tables/Prefectures.h"

#include <sqlite3.h>

#include <algorithm>

namespace kv::records {

namespace {

// Cities of Japan Post's data are at most ten characters long.
constexpr int kLongestCity = 12;

QString columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

void bindText(sqlite3_stmt* statement, int index, const QByteArray& text)
{
    sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// Blanks of either width are not part of an address.
QString withoutBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!c.isSpace())
            out.append(c);
    return out;
}

} // namespace

PostalSearch::PostalSearch(data::DataStore& store)
    : m_connection(store.postalConnection())
    , m_missingFiles(store.missingPostalFiles())
{
    if (!m_connection.isOpen())
        return;
    for (int number = 1; number <= data::Prefectures::kCount; ++number) {
        const data::TableDef* table = data::Prefectures::postalTable(number);
        const QString schema = m_connection.schemaOf(QString::fromLatin1(table->fileName));
        if (schema.isEmpty())
            continue;
        m_tables.push_back({number, data::FilterTranslator::quotedName(schema.toUtf8().constData())
                                        + '.' + data::FilterTranslator::quotedName(table->name)});
    }
}

bool PostalSearch::available() const
{
    return !m_tables.empty();
}

QString PostalSearch::unavailableReason() const
{
    if (available())
        return {};
    return QStringLiteral("郵便番号ファイル（015.mdb～019.mdb）がプログラムフォルダにないため、"
                          "郵便番号検索は使えません");
}

QStringList PostalSearch::prefectureList()
{
    QStringList names;
    for (int number = 1; number <= data::Prefectures::kCount; ++number)
        names.append(data::Prefectures::name(number));
    return names;
}

std::vector<const PostalSearch::Table*> PostalSearch::searchOrder(int firstPrefecture) const
{
    std::vector<const Table*> order;
    for (const Table& table : m_tables)
        if (table.prefecture == firstPrefecture)
            order.push_back(&table);
    for (const Table& table : m_tables)
        if (table.prefecture != firstPrefecture)
            order.push_back(&table);
    return order;
}

std::vector<PostalAddress> PostalSearch::byCode(int post, int defaultPrefecture)
{
    m_error = {};
    std::vector<PostalAddress> found;
    if (post <= 0 || post > 9999999)
        return found;
    const QByteArray code = QByteArray::number(post).rightJustified(7, '0');
    for (const Table* table : searchOrder(defaultPrefecture + 1)) {
        sqlite3_stmt* statement = m_connection.prepareCached(
            "SELECT Section2, Section3 FROM " + table->from + " WHERE Post = ? ORDER BY ID");
        if (!statement) {
            m_error = m_connection.lastError();
            return {};
        }
        data::StatementScope scope(statement);
        bindText(statement, 1, code);
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            found.push_back({post, table->prefecture, data::Prefectures::name(table->prefecture),
                             columnText(statement, 0), columnText(statement, 1)});
        if (rc != SQLITE_DONE) {
            m_error = m_connection.fail(rc, QStringLiteral("Post"));
            return {};
        }
    }
    return found;
}

bool PostalSearch::townsOfCities(const Table& table, const QString& text,
                                 std::vector<PostalAddress>& rows)
{
    rows.clear();
    QByteArray places = "?";
    for (int i = 1; i < kLongestCity; ++i)
        places += ", ?";
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT Post, Section2, Section3 FROM " + table.from + " WHERE Section2 IN (" + places
        + ") ORDER BY ID");
    if (!statement) {
        m_error = m_connection.lastError();
        return false;
    }
    data::StatementScope scope(statement);
    // Every beginning of the text up to the longest city; the places left
    // over stay NULL, which no city equals.
    for (int length = 1; length <= kLongestCity && length <= text.size(); ++length)
        bindText(statement, length, text.left(length).toUtf8());
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        rows.push_back({columnText(statement, 0).toInt(), table.prefecture,
                        data::Prefectures::name(table.prefecture), columnText(statement, 1),
                        columnText(statement, 2)});
    if (rc != SQLITE_DONE) {
        m_error = m_connection.fail(rc, QStringLiteral("Section2"));
        return false;
    }
    return true;
}

std::vector<PostalAddress> PostalSearch::byAddress(const QString& address, int defaultPrefecture)
{
    m_error = {};
    QString rest = withoutBlanks(address);
    int named = 0;
    for (int number = 1; number <= data::Prefectures::kCount && !named; ++number) {
        if (rest.startsWith(data::Prefectures::name(number))) {
            named = number;
            rest = rest.mid(data::Prefectures::name(number).size());
        }
    }
    if (rest.isEmpty())
        return {};

    std::vector<PostalAddress> towns;
    for (const Table* table : searchOrder(named ? named : defaultPrefecture + 1)) {
        if (named && table->prefecture != named)
            break;
        // The longest city that begins the text, then the longest town that
        // begins what follows it; a city's row without a town answers for
        // the city alone.
        if (!townsOfCities(*table, rest, towns))
            return {};
        const qsizetype longest = std::min<qsizetype>(rest.size(), kLongestCity);
        for (qsizetype length = longest; length > 0 && !towns.empty(); --length) {
            const QString after = rest.mid(length);
            qsizetype best = -1;
            for (const PostalAddress& row : towns)
                if (row.city.size() == length && after.startsWith(row.town))
                    best = std::max(best, row.town.size());
            if (best < 0)
                continue;
            std::vector<PostalAddress> matches;
            for (const PostalAddress& row : towns)
                if (row.city.size() == length && row.town.size() == best
                    && after.startsWith(row.town))
                    matches.push_back(row);
            return matches;
        }
    }
    return {};
}

} // namespace kv::records
