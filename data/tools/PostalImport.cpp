#include "data/tools/PostalImport.h"

#include "data/engine/UnitOfWork.h"
#include "data/tables/DataFiles.h"
#include "data/tables/PostalRecordsets.h"
#include "data/tables/Prefectures.h"
#include "data/tools/TableInserter.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <memory>

namespace kv::data {

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool isPostalCode(const QString& text)
{
    return text.size() == 7
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Any postal recordset serves as the row buffer: all 47 share the columns.
class PostalRow final : public CDaoPostSet {
public:
    explicit PostalRow(Connection& connection) : CDaoPostSet(connection, CDaoPost01HokSet::tableDef()) {}
};

} // namespace

bool PostalImport::parse(const QByteArray& text, std::vector<Row>& rows, QString* error)
{
    rows.clear();
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString where = QStringLiteral("%1 行目").arg(i + 1);
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() != 4)
            return fail(error, QStringLiteral("%1: 項目数が４ではありません！").arg(where));
        Row row;
        row.post = fields[0];
        bool numeric = false;
        row.prefecture = fields[1].toInt(&numeric);
        row.city = fields[2];
        row.town = fields[3];
        if (!isPostalCode(row.post))
            return fail(error, QStringLiteral("%1: 郵便番号 [%2] が７桁の数字ではありません！").arg(where, row.post));
        if (!numeric || Prefectures::name(row.prefecture).isEmpty())
            return fail(error, QStringLiteral("%1: 都道府県番号 [%2] が１～４７ではありません！").arg(where, fields[1]));
        if (row.city.isEmpty())
            return fail(error, QStringLiteral("%1: 市区町村がありません！").arg(where));
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        return fail(error, QStringLiteral("郵便番号データが１件もありません！"));
    return true;
}

bool PostalImport::import(const QString& programFolder, const QString& convertedFile, QString* error,
                          int* rowCount)
{
    QFile file(convertedFile);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("ファイル [%1] を開けません！（%2）").arg(convertedFile, file.errorString()));
    std::vector<Row> rows;
    QString reason;
    if (!parse(file.readAll(), rows, &reason))
        return fail(error, QStringLiteral("[%1] %2").arg(convertedFile, reason));
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.prefecture != b.prefecture ? a.prefecture < b.prefecture : a.post < b.post;
    });
    if (!QDir().mkpath(programFolder))
        return fail(error, QStringLiteral("フォルダ [%1] を作成できません！").arg(programFolder));
    EngineError engineError;
    if (!createPostalDatabases(programFolder, &engineError))
        return fail(error, engineError.description);
    if (!write(programFolder, rows, error)) {
        for (const QString& name : postalFileNames())
            QFile::remove(QDir(programFolder).filePath(name));
        return false;
    }
    if (rowCount)
        *rowCount = int(rows.size());
    return true;
}

bool PostalImport::write(const QString& programFolder, const std::vector<Row>& rows, QString* error)
{
    // One connection over the five files: their rows land together.
    Connection connection;
    const QStringList& files = postalFileNames();
    if (!connection.open(QDir(programFolder).filePath(files.first())))
        return fail(error, connection.lastError().description);
    for (qsizetype i = 1; i < files.size(); ++i) {
        if (!attachDataFile(connection, programFolder, files[i]))
            return fail(error, connection.lastError().description);
    }
    std::vector<std::unique_ptr<TableInserter>> inserters(Prefectures::kCount + 1);
    for (int number = 1; number <= Prefectures::kCount; ++number) {
        inserters[size_t(number)] = std::make_unique<TableInserter>(connection, *Prefectures::postalTable(number));
        if (!inserters[size_t(number)]->isValid())
            return fail(error, connection.lastError().description);
    }
    PostalRow buffer(connection);
    bool written = false;
    {
        UnitOfWork work(connection);
        if (!work.isActive())
            return fail(error, work.lastError().description);
        for (const Row& row : rows) {
            buffer.m_ID = 0;
            buffer.m_Post = row.post;
            buffer.m_Section1 = Prefectures::name(row.prefecture);
            buffer.m_Section2 = row.city;
            buffer.m_Section3 = row.town;
            if (!inserters[size_t(row.prefecture)]->insert(buffer))
                return fail(error, connection.lastError().description);
        }
        written = work.commit();
        if (!written)
            return fail(error, work.lastError().description);
    }
    inserters.clear();
    connection.close();
    return written;
}

} // namespace kv::data
