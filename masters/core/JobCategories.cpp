#include "masters/core/JobCategories.h"

#include "data/settings/RecordWriter.h"
#include "masters/core/TableEdits.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"

#include <sqlite3.h>

#include <array>

namespace kv::masters {

namespace JobCategoryRules {
namespace {
struct Kind {
    const char* text;
    int code;
};
constexpr std::array<Kind, kKindCount> kKinds{{
    {"車検", 1}, {"６ヶ月点検（貨物）", 2}, {"１２ヶ月点検", 3}, {"一般整備", 4},
    {"鈑金塗装", 5}, {"部品販売", 6}, {"保険", 7}, {"車輌販売", 8}, {"その他", 98},
    {"入金", 99},
}};
} // namespace

QString kindText(int position)
{
    if (position < 0 || position >= kKindCount)
        return {};
    return QString::fromUtf8(kKinds[size_t(position)].text);
}

int kindCode(int position)
{
    return position < 0 || position >= kKindCount ? 0 : kKinds[size_t(position)].code;
}

int positionOfKind(int code)
{
    for (int i = 0; i < kKindCount; ++i)
        if (kKinds[size_t(i)].code == code)
            return i;
    return 0;
}

QString countLabel(int count)
{
    return QString::asprintf("%2d/%2d", count, kMaxCategories) + QStringLiteral("件");
}
} // namespace JobCategoryRules

namespace {
constexpr char kSort[] = "NyuukoKbnCode";

QString codeFilter(int code)
{
    return QStringLiteral("NyuukoKbnCode = %1").arg(code);
}
} // namespace

JobCategoryStore::JobCategoryStore(data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

std::optional<std::vector<JobCategory>> JobCategoryStore::readAll()
{
    CDaoNyuukoKbnSet& set = m_document.jobCategories();
    m_lastMessage = TableEdits::requery(set, QString(), QString::fromLatin1(kSort));
    if (!m_lastMessage.isEmpty())
        return std::nullopt;
    std::vector<JobCategory> rows;
    for (; !set.IsEOF() && int(rows.size()) < JobCategoryRules::kMaxCategories; set.MoveNext())
        rows.push_back({set.m_NyuukoKbnCode, set.m_NyuukoKbn, set.m_NyuukoKind});
    return rows;
}

QString JobCategoryStore::checkName(const QString& name) const
{
    if (name.isEmpty())
        return QStringLiteral("入庫区分を入力して下さい！");
    return data::RecordWriter::checkText(name, JobCategoryRules::kNameBytes,
                                         QStringLiteral("入庫区分"));
}

JobCategoryStore::Use JobCategoryStore::useOf(int code)
{
    struct Table {
        const char* file;
        const char* table;
        Use use;
    };
    data::Connection& connection = m_document.store().mainConnection();
    for (const Table& t : {Table{"003.mdb", "Syahead", Use::Slip},
                           Table{"013.mdb", "ToriJnl", Use::Ledger}}) {
        const QString schema = connection.schemaOf(QString::fromLatin1(t.file));
        if (schema.isEmpty()) {
            m_lastMessage = QStringLiteral("%1 が開かれていません！").arg(QString::fromLatin1(t.file));
            return Use::Failed;
        }
        sqlite3_stmt* statement = connection.prepareCached(
            "SELECT 1 FROM " + data::FilterTranslator::quotedName(schema.toUtf8().constData()) + '.'
            + data::FilterTranslator::quotedName(t.table) + " WHERE NyuukoKbnCode = ? LIMIT 1");
        if (!statement) {
            m_lastMessage = connection.lastError().description;
            return Use::Failed;
        }
        data::StatementScope scope(statement);
        sqlite3_bind_int(statement, 1, code);
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            return t.use;
        if (rc != SQLITE_DONE) {
            m_lastMessage = connection.fail(rc, QString::fromLatin1(t.table)).description;
            return Use::Failed;
        }
    }
    return Use::None;
}

JobCategoryStore::Outcome JobCategoryStore::add(const QString& name, int kindPosition)
{
    return write(0, name, kindPosition);
}

JobCategoryStore::Outcome JobCategoryStore::modify(int code, const QString& name, int kindPosition)
{
    return write(code, name, kindPosition);
}

QString JobCategoryStore::inUse(int code, bool deleting)
{
    switch (useOf(code)) {
    case Use::Slip:
        return deleting ? QStringLiteral("指定された入庫区分の車歴が存在するので削除できません！")
                        : QStringLiteral("指定された入庫区分の車歴が存在するので修正できません！");
    case Use::Ledger:
        return deleting ? QStringLiteral("指定された入庫区分の取引明細が存在するので削除できません！")
                        : QStringLiteral("指定された入庫区分の売上が存在するので修正できません！");
    case Use::Failed:
        return m_lastMessage;
    case Use::None:
        break;
    }
    return {};
}

JobCategoryStore::Outcome JobCategoryStore::write(int code, const QString& name, int kindPosition)
{
    Outcome outcome;
    outcome.message = checkName(name);
    if (!outcome.message.isEmpty() || !m_document.checkDiskSpaceForWrite())
        return outcome;
    CDaoNyuukoKbnSet& set = m_document.jobCategories();
    const QString sort = QString::fromLatin1(kSort);
    if (code == 0) {
        outcome.message = TableEdits::requery(set, QString(), sort);
        // Another computer may have added rows since the list was read.
        if (outcome.message.isEmpty() && set.GetRecordCount() >= JobCategoryRules::kMaxCategories) {
            outcome.message = TableEdits::fullMessage(JobCategoryRules::kMaxCategories);
            outcome.toClearButton = true;
        }
    } else {
        outcome.clearInput = true;
        outcome.message = inUse(code, false);
        if (outcome.message.isEmpty())
            outcome.message = TableEdits::openRow(set, codeFilter(code), sort, missingMessage());
    }
    if (outcome.message.isEmpty())
        outcome.message = TableEdits::begin(set, code == 0);
    if (!outcome.message.isEmpty())
        return outcome;
    set.m_NyuukoKbn = name;
    set.m_NyuukoKind = JobCategoryRules::kindCode(kindPosition);
    outcome.message = TableEdits::store(set);
    if (!outcome.message.isEmpty())
        return outcome;
    outcome.done = true;
    outcome.clearInput = false;
    outcome.category = {set.m_NyuukoKbnCode, set.m_NyuukoKbn, set.m_NyuukoKind};
    return outcome;
}

QString JobCategoryStore::missingMessage()
{
    return QStringLiteral("該当入庫区分が存在しません！");
}

JobCategoryStore::Outcome JobCategoryStore::remove(int code)
{
    Outcome outcome;
    outcome.clearInput = true;
    CDaoNyuukoKbnSet& set = m_document.jobCategories();
    outcome.message = inUse(code, true);
    if (outcome.message.isEmpty())
        outcome.message = TableEdits::removeRow(set, codeFilter(code), QString::fromLatin1(kSort),
                                                missingMessage());
    outcome.done = outcome.message.isEmpty();
    outcome.category.code = code;
    return outcome;
}

QString JobCategoryStore::resetView()
{
    return TableEdits::requery(m_document.jobCategories(), QString(), QString::fromLatin1(kSort));
}

} // namespace kv::masters
