#include "data/tools/DataFolderCreator.h"

#include "data/costs/CostStore.h"
#include "data/engine/UnitOfWork.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace kv::data {

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

struct JobCategory {
    const char* name;
    int kind;
};

// One category per kind; the shop renames or adds its own. A new slip
// starts with the first: general work, since an inspection first would
// bring the vehicle's statutory costs into every slip and move its
// inspection expiry on recording.
constexpr std::array<JobCategory, 10> kJobCategories{{
    {"一般整備", 4}, {"車検", 1}, {"６ヶ月点検", 2}, {"１２ヶ月点検", 3}, {"鈑金塗装", 5},
    {"部品販売", 6}, {"保険", 7}, {"車輌販売", 8}, {"その他", 98}, {"入金", 99},
}};

struct LabelSheet {
    const char* maker;
    const char* productNumber;
    int rows, columns, height, width, top, left, vertical, horizontal; // 0.1 mm
};

// The sheet the label print starts with, and a plain A4 sheet of 24.
constexpr std::array<LabelSheet, 2> kLabelSheets{{
    {"Ａ－ｏｎｅ", "28382", 6, 2, 423, 864, 216, 186, 0, 0},
    {"汎用", "Ａ４　２４面", 8, 3, 339, 700, 129, 0, 0, 0},
}};

bool isEmptyFolder(const QDir& dir)
{
    return dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
}

// Empties a folder that was empty before this program wrote into it.
void removeCreated(const QString& folder, bool folderCreated)
{
    QDir dir(folder);
    if (folderCreated) {
        dir.removeRecursively();
        return;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

} // namespace

const QStringList& DataFolderCreator::workingFolders()
{
    static const QStringList names{QStringLiteral("Temp"), QStringLiteral("Photo"),
                                   QStringLiteral("Printer")};
    return names;
}

bool DataFolderCreator::create(const QString& folder, QString* error)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return fail(error, QStringLiteral("[%1] はフォルダではありません！").arg(folder));
    const bool folderCreated = !info.exists();
    if (!folderCreated && !isEmptyFolder(QDir(folder))) {
        return fail(error, QStringLiteral("フォルダ [%1] は空ではありません！\n"
                                          "既存のデータを上書きしないよう作成を中止しました。")
                               .arg(folder));
    }
    if (folderCreated && !QDir().mkpath(folder))
        return fail(error, QStringLiteral("フォルダ [%1] を作成できません！").arg(folder));

    QString reason;
    EngineError engineError;
    bool ok = createDataFolderDatabases(folder, &engineError);
    if (!ok)
        reason = engineError.description;
    if (ok)
        ok = writeDefaultSettings(folder, &reason);
    for (const QString& sub : workingFolders()) {
        if (ok && !QDir(folder).mkdir(sub)) {
            ok = false;
            reason = QStringLiteral("フォルダ [%1] を作成できません！").arg(QDir(folder).filePath(sub));
        }
    }
    if (ok)
        ok = seedTables(folder, &reason);
    if (!ok) {
        removeCreated(folder, folderCreated);
        return fail(error, reason);
    }
    return true;
}

bool DataFolderCreator::seedTables(const QString& folder, QString* error)
{
    DataStore store;
    if (!store.open(folder))
        return fail(error, store.lastError().description);
    CDaoNyuukoKbnSet categories(store.connectionFor(CDaoNyuukoKbnSet::tableDef()));
    CDaoSealSet sheets(store.connectionFor(CDaoSealSet::tableDef()));
    UnitOfWork work(store.mainConnection());
    if (!work.isActive())
        return fail(error, work.lastError().description);
    auto recordsetFailed = [error](const Recordset& set) { return fail(error, set.lastError().description); };

    if (!categories.Open())
        return recordsetFailed(categories);
    for (const JobCategory& category : kJobCategories) {
        if (!categories.AddNew())
            return recordsetFailed(categories);
        categories.m_NyuukoKbn = QString::fromUtf8(category.name);
        categories.m_NyuukoKind = category.kind;
        if (!categories.Update())
            return recordsetFailed(categories);
    }
    if (!sheets.Open())
        return recordsetFailed(sheets);
    for (const LabelSheet& sheet : kLabelSheets) {
        if (!sheets.AddNew())
            return recordsetFailed(sheets);
        sheets.m_Maker = QString::fromUtf8(sheet.maker);
        sheets.m_Hinban = QString::fromUtf8(sheet.productNumber);
        sheets.m_Gyo = sheet.rows;
        sheets.m_Retu = sheet.columns;
        sheets.m_Tate = sheet.height;
        sheets.m_Yoko = sheet.width;
        sheets.m_Top = sheet.top;
        sheets.m_Left = sheet.left;
        sheets.m_Vertical = sheet.vertical;
        sheets.m_Horizontal = sheet.horizontal;
        if (!sheets.Update())
            return recordsetFailed(sheets);
    }
    categories.Close();
    sheets.Close();
    if (const QString failed = CostStore(store.mainConnection()).ensureTables(); !failed.isEmpty())
        return fail(error, failed);
    if (!work.commit())
        return fail(error, work.lastError().description);
    return true;
}

} // namespace kv::data
