#include "records/search/QueryConditions.h"

#include "data/engine/EngineError.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/LikePattern.h"
#include "data/tables/DaoRecordsets.h"
#include "records/search/CustomerSearch.h"
#include "records/search/FilterLiteral.h"
#include "records/search/VehicleSearch.h"

#include <algorithm>
#include <initializer_list>

namespace kv::records::search {
namespace {

struct QueryColumns {
    std::initializer_list<const char*> texts;
    std::initializer_list<const char*> numbers;
    std::initializer_list<const char*> dates;
};

const QueryColumns kCustomerColumns{
    {"Furi", "KokBiko1", "KokBiko2", "OwnerJyu1", "OwnerJyu2", "OwnerName1", "OwnerName2", "Tel1",
     "Tel2", "UseBase1", "UseBase2", "UserJyu1", "UserJyu2", "UserName1", "UserName2"},
    {"Syochuu", "Nenga", "Chuugen", "Seibo", "KokCode", "Sama", "Post", "Shime1", "Shime2",
     "Shime3", "Shime4", "SyoukaiKokCode"},
    {"Burth"},
};

const QueryColumns kVehicleColumns{
    {"CarBiko1", "CarBiko2", "Syasyu", "Gendoki", "Kana", "Katasiki", "Rikuji", "Syatai"},
    {"CarCode", "Jiei", "Keijyo", "Syamei", "Syubetu", "Youto", "Daiko", "Jibai", "Insi",
     "JyuZei", "Haba", "Haikiryo", "Jyuryo", "KouKou", "KouZen", "Nagasa", "Nenryo", "Preno",
     "Rno", "Rui", "Kata", "Sekisai", "Sekisai2", "SouJyuryo", "SouJyuryo2", "Takasa", "Teiin",
     "Teiin2", "Yuko", "ZenKou", "ZenZen"},
    {"Tounen", "Syonen", "Homan", "Syaman"},
};

const QueryColumns* columnsOf(const data::TableDef& table)
{
    if (&table == &CDaoKokSet::tableDef())
        return &kCustomerColumns;
    if (&table == &CDaoCarSet::tableDef())
        return &kVehicleColumns;
    return nullptr;
}

bool listed(std::initializer_list<const char*> names, const QString& column)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return column == QLatin1String(name); });
}

template <typename Entry>
const Entry* entryFor(const std::vector<Entry>& entries, const char* column)
{
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
        return entry.column == QLatin1String(column);
    });
    return it == entries.end() ? nullptr : &*it;
}

QueryConditions::Result refused(const QString& column, const QString& message)
{
    QueryConditions::Result result;
    result.ok = false;
    result.failedColumn = column;
    result.message = message;
    return result;
}

} // namespace

bool QueryConditions::isQueryColumn(const data::TableDef& table, const QString& column)
{
    const QueryColumns* columns = columnsOf(table);
    return columns
        && (listed(columns->texts, column) || listed(columns->numbers, column)
            || listed(columns->dates, column));
}

QueryConditions::Result QueryConditions::build(const data::TableDef& table,
                                               const QueryFormValues& values, Joiner joiner)
{
    const QueryColumns* columns = columnsOf(table);
    if (!columns)
        return refused({}, data::EngineError::make(data::error::kTableNotFound,
                                                   QLatin1String(table.name))
                               .description);
    QStringList clauses;
    for (const char* column : columns->texts) {
        const auto* entry = entryFor(values.texts(), column);
        if (!entry)
            continue;
        // The typed text, as the user would have written the clause.
        const QString asTyped =
            QStringLiteral("%1 Like \"%2\"").arg(QLatin1String(column), entry->value);
        if (entry->value.contains(u'"'))
            return refused(entry->column,
                           data::EngineError::make(data::error::kSyntax, asTyped).description);
        if (!data::LikePattern::compile(entry->value))
            return refused(entry->column,
                           data::EngineError::make(data::error::kInvalidPattern, asTyped)
                               .description);
        clauses << QStringLiteral("%1 Like %2").arg(QLatin1String(column),
                                                    FilterLiteral::text(entry->value));
    }
    for (const char* column : columns->numbers) {
        if (const auto* entry = entryFor(values.numbers(), column))
            clauses << QStringLiteral("%1 = %2").arg(QLatin1String(column)).arg(entry->value);
    }
    for (const char* column : columns->dates) {
        if (const auto* entry = entryFor(values.dates(), column))
            clauses << QStringLiteral("%1 Between %2 And %3")
                           .arg(QLatin1String(column),
                                FilterLiteral::dateTime(entry->value, "00:00:00"),
                                FilterLiteral::dateTime(entry->value, "23:59:59"));
    }
    Result result;
    result.filter =
        clauses.join(joiner == Joiner::Or ? QStringLiteral(" OR ") : QStringLiteral(" AND "));
    // The engine's own parser has the last word on the finished text.
    data::FilterTranslator translator(table);
    data::SqlFragment sql;
    if (!translator.translateFilter(result.filter, sql))
        return refused({}, translator.error().description);
    return result;
}

QueryConditions::Result QueryConditions::buildCustomerFilter(const QueryFormValues& values,
                                                             Joiner joiner)
{
    Result result = build(CDaoKokSet::tableDef(), values, joiner);
    if (result.ok && !result.filter.isEmpty())
        result.filter = QStringLiteral("(%1) AND %2").arg(result.filter, CustomerSearch::notPlaceholder());
    return result;
}

QueryConditions::Result QueryConditions::buildVehicleFilter(const QueryFormValues& values,
                                                            Joiner joiner)
{
    Result result = build(CDaoCarSet::tableDef(), values, joiner);
    if (result.ok && !result.filter.isEmpty())
        result.filter = QStringLiteral("(%1) AND %2").arg(result.filter, VehicleSearch::notPlaceholder());
    return result;
}

} // namespace kv::records::search
