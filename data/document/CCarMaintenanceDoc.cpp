#include "data/document/CCarMaintenanceDoc.h"

#include "common/FileNamePattern.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/FileSystem.h"
#include "data/costs/CostStore.h"
#include "data/document/WorkCopyKind.h"
#include "data/engine/DatabaseCopy.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/LockResources.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/platform/CupsDefaultPrinter.h"
#include "data/tables/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>

namespace kv::data {

namespace {

const QString kPlaceholder = QStringLiteral("新規作成中");
const QString kPrinting = QStringLiteral("Printing");
constexpr double kKeptFreeForWorkCopies = 1073741824.0;

QString criteria(const char* column, int code)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(column)).arg(code);
}

QString placeholderCriteria(const char* column)
{
    return QStringLiteral("%1 = \"%2\"").arg(QLatin1String(column), kPlaceholder);
}

} // namespace

CCarMaintenanceDoc::CCarMaintenanceDoc(DocumentConfig config)
    : m_config(std::move(config))
    , m_locks(m_config.dataFolder, m_config.openTiming)
    , m_running(m_config.dataFolder, m_config.openTiming)
    , m_counters(m_config.dataFolder, m_config.openTiming)
    , m_slipCounter(m_config.dataFolder, m_config.openTiming)
    , m_settings(m_config.dataFolder)
    , m_customers(m_store.mainConnection())
    , m_callCustomers(m_store.mainConnection())
    , m_vehicles(m_store.mainConnection())
    , m_customerNames(m_store.pickListConnection())
    , m_addresses(m_store.pickListConnection())
    , m_models(m_store.pickListConnection())
    , m_jobCategories(m_store.mainConnection())
    , m_slipHeaders(m_store.mainConnection())
    , m_slipLines(m_store.mainConnection())
    , m_items(m_store.mainConnection())
    , m_setHeaders(m_store.mainConnection())
    , m_setLines(m_store.mainConnection())
    , m_ledger(m_store.mainConnection())
    , m_balances(m_store.mainConnection())
    , m_labelSheets(m_store.mainConnection())
    , m_salesReport(m_store.mainConnection())
    , m_customerCodes(m_store.mainConnection(), CodeOccupancy::kCustomerCodes)
    , m_vehicleCodes(m_store.mainConnection(), CodeOccupancy::kVehicleCodes)
    , m_itemCodes(m_store.mainConnection(), CodeOccupancy::kItemCodes)
    , m_setCodes(m_store.mainConnection(), CodeOccupancy::kSetCodes)
    , m_slipNumbers(m_store.mainConnection(), CodeOccupancy::kSlipNumbers)
{
    auto add = [this](Recordset& set, const char* sort) {
        m_sets.push_back({&set, QString::fromLatin1(set.table().fileName), sort});
    };
    add(m_customers, "KokCode");
    add(m_callCustomers, "KokCode");
    add(m_vehicles, "KokCode, CarCode");
    add(m_customerNames, "KokFuri, KokName, ID");
    add(m_addresses, "Furi, Jyu, ID");
    add(m_models, "SyameiNo, Syasyu, ID");
    add(m_jobCategories, "NyuukoKbnCode");
    add(m_slipHeaders, "CarCode, HatuDate");
    add(m_slipLines, "DenNo, LineNo");
    add(m_items, "Furi, Meisai, MeisaiCode");
    add(m_setHeaders, "Furi, SetName");
    add(m_setLines, "SetCode, LineNo");
    add(m_ledger, "KokCode, Date");
    add(m_balances, "KokCode");
    add(m_labelSheets, "Maker, Hinban");
    add(m_salesReport, "NyuukoKbn, Date");

#define KV_POSTAL_ENTRY(Infix, Table, File)                                                  \
    m_postal.push_back({std::make_unique<CDaoPost##Infix##Set>(m_store.postalConnection()),   \
                        QStringLiteral(File), QStringLiteral(Table).left(2).toInt()});
    KV_POSTAL_TABLES(KV_POSTAL_ENTRY)
#undef KV_POSTAL_ENTRY
}

CCarMaintenanceDoc::~CCarMaintenanceDoc()
{
    if (m_open)
        CloseDatabases();
}

QString DocumentConfig::perComputerTemp(const QString& dataFolder, const QString& computerName)
{
    // An IPv6 address has colons, which a Samba share does not take in names.
    QString name = computerName;
    name.replace(QLatin1Char(':'), QLatin1Char('-')).replace(QLatin1Char('/'), QLatin1Char('-'));
    return dataFolder + QStringLiteral("/Temp/") + name;
}

QString CCarMaintenanceDoc::hostName() const
{
    return m_config.hostName.isEmpty() ? CupsDefaultPrinter::computerName() : m_config.hostName;
}

QString CCarMaintenanceDoc::temporaryFolder() const
{
    if (!m_config.temporaryFolder.isEmpty())
        return m_config.temporaryFolder;
    return m_config.dataFolder + QStringLiteral("/Temp");
}

QString CCarMaintenanceDoc::photoFolder() const
{
    return m_config.dataFolder + QStringLiteral("/Photo");
}

void CCarMaintenanceDoc::showError(const EngineError& error) const
{
    showMessage(error.description);
}

// ---- Opening and closing -------------------------------------------------

bool CCarMaintenanceDoc::openSet(Recordset& set, const char* sort)
{
    set.SetFilter(QString());
    set.SetSort(QString::fromLatin1(sort));
    // The slips, their lines, the ledger and the sales figures are only
    // ever read through a filter of their own: their millions of row ids
    // would be read at every start for nothing.
    const bool filteredFirst = &set == &m_slipHeaders || &set == &m_slipLines || &set == &m_ledger
                            || &set == &m_salesReport;
    if (filteredFirst ? set.OpenWithoutRows() : set.Open())
        return true;
    showError(set.lastError());
    return false;
}

bool CCarMaintenanceDoc::deletePlaceholders(Recordset& set, const char* nameColumn,
                                            const std::function<QString()>& reserver)
{
    // One view of the placeholders, deleted row by row, then the whole
    // table again. A placeholder whose table does not say who reserved it
    // may be anyone's: it goes only while no other computer runs.
    const bool alone = !m_running.othersRunning();
    set.SetFilter(placeholderCriteria(nameColumn));
    bool ok = set.Requery();
    while (ok && !set.IsEOF()) {
        const QString owner = reserver ? reserver() : QString();
        const bool gone = owner.isEmpty() ? alone : m_running.isGone(owner);
        ok = (!gone || set.Delete()) && set.MoveNext();
    }
    const EngineError failure = set.lastError();
    set.SetFilter(QString());
    if (!ok) {
        set.Requery();
        showError(failure);
        return false;
    }
    if (!set.Requery()) {
        showError(set.lastError());
        return false;
    }
    return true;
}

bool CCarMaintenanceDoc::OpenAllDatabases()
{
    if (m_open)
        CloseDatabases();
    const bool server = m_config.lanRole == 0;
    auto giveUp = [this](const EngineError& error) {
        showError(error);
        m_store.close();
        m_running.unmark();
        return false;
    };

    // Before anything of this computer's lands in the shared files, so
    // that a server starting meanwhile leaves it alone.
    m_running.markThisComputer(m_config.computerName);
    if (!m_store.open(m_config.dataFolder))
        return giveUp(m_store.lastError());
    // A folder of an older version gets the cost tables when first opened.
    if (const QString failed = CostStore(m_store.mainConnection()).ensureTables(); !failed.isEmpty())
        return giveUp(EngineError{error::kGeneric, failed});
    for (CodeOccupancy* codes :
         {&m_customerCodes, &m_vehicleCodes, &m_itemCodes, &m_setCodes, &m_slipNumbers}) {
        if (!codes->install())
            return giveUp(codes->lastError());
    }

    auto closeAll = [this] {
        for (OpenSet& entry : m_sets)
            entry.set->Close();
        m_store.close();
        m_running.unmark();
        return false;
    };
    for (OpenSet& entry : m_sets) {
        // Both report their failure themselves.
        if (!openSet(*entry.set, entry.sort))
            return closeAll();
        if (!server)
            continue;
        const char* nameColumn = entry.set == &m_customers  ? "UserName1"
                               : entry.set == &m_vehicles   ? "Syatai"
                               : entry.set == &m_items      ? "Meisai"
                               : entry.set == &m_setHeaders ? "SetName"
                                                            : nullptr;
        std::function<QString()> reserver;
        if (entry.set == &m_customers)
            reserver = [this] { return m_customers.m_KokBiko1; };
        else if (entry.set == &m_vehicles)
            reserver = [this] { return m_vehicles.m_CarBiko1; };
        if (nameColumn && !deletePlaceholders(*entry.set, nameColumn, reserver))
            return closeAll();
    }

    openPostal();

    m_settings.setDataFolder(m_config.dataFolder);
    static const CupsDefaultPrinter systemPrinters;
    const DefaultPrinterSource& printers = m_config.printers ? *m_config.printers : systemPrinters;
    if (!m_settings.loadAtStart(printers, hostName(), m_config.callerIdStep)) {
        CloseDatabases();
        return false;
    }

    lockTablesAtStart();
    if (server) {
        for (const char* database : {"012.mdb", "011.mdb", "010.mdb", "009.mdb"})
            RecordCounter(QString::fromLatin1(database), RecordCounters::Recount);
    }
    m_open = true;
    return true;
}

void CCarMaintenanceDoc::openPostal()
{
    Connection& connection = m_store.postalConnection();
    connection.close();
    QString failedFile;
    for (const QString& fileName : postalFileNames()) {
        const bool ok = connection.isOpen()
                          ? attachDataFile(connection, m_config.programFolder, fileName,
                                           OpenMode::ReadOnly)
                          : connection.open(QDir(m_config.programFolder).filePath(fileName),
                                            OpenMode::ReadOnly);
        // A missing postal file only leaves its tables closed.
        if (!ok && connection.lastError().code != error::kFileNotFound)
            showError(connection.lastError());
    }
    for (PostalSet& entry : m_postal) {
        if (entry.file == failedFile || connection.schemaOf(entry.file).isEmpty())
            continue;
        // After a failure the file's remaining tables stay closed.
        if (!openSet(*entry.set, "ID"))
            failedFile = entry.file;
    }
}

void CCarMaintenanceDoc::lockTablesAtStart()
{
    const QStringList& resources = LockResources::names();
    if (m_config.lanRole == 0) {
        for (const QString& resource : resources)
            m_locks.clearSlotsOf(resource, [this](const QString& computer) {
                return m_running.isGone(computer);
            });
    }
    for (const QString& resource : resources)
        m_locks.ShareLock(resource, m_config.computerName, 0, ShareLockAction::Join);
    for (const QString& resource : resources)
        m_locks.ShareLock(resource, m_config.computerName, 0, ShareLockAction::Release);
}

void CCarMaintenanceDoc::CloseDatabases(ReservedRecords* reserved)
{
    for (OpenSet& entry : m_sets) {
        if (reserved && entry.set->IsOpen()) {
            if (entry.set == &m_customers)
                reserved->DiscardReservedCustomer();
            else if (entry.set == &m_vehicles)
                reserved->DiscardReservedVehicle();
        }
        entry.set->Close();
    }
    for (PostalSet& entry : m_postal)
        entry.set->Close();
    m_store.close();
    m_onCopy.clear();
    if (m_open) {
        for (const QString& resource : LockResources::names())
            m_locks.ShareLock(resource, m_config.computerName, 0, ShareLockAction::Release);
    }
    m_running.unmark();
    m_open = false;
}

CDaoPostSet* CCarMaintenanceDoc::postal(int prefecture)
{
    for (PostalSet& entry : m_postal) {
        if (entry.prefecture == prefecture)
            return entry.set->IsOpen() ? entry.set.get() : nullptr;
    }
    return nullptr;
}

// ---- Finding and counting -------------------------------------------------

bool CCarMaintenanceDoc::find(Recordset& set, const char* column, int code)
{
    if (set.FindFirst(criteria(column, code)))
        return true;
    if (set.lastError())
        showError(set.lastError());
    return false;
}

bool CCarMaintenanceDoc::FindCustomer(int customerCode)
{
    return find(m_customers, "KokCode", customerCode);
}

bool CCarMaintenanceDoc::FindFirstVehicleOfCustomer(int customerCode)
{
    return find(m_vehicles, "KokCode", customerCode);
}

bool CCarMaintenanceDoc::FindVehicle(int vehicleCode)
{
    return find(m_vehicles, "CarCode", vehicleCode);
}

bool CCarMaintenanceDoc::FindItem(int itemCode)
{
    return find(m_items, "MeisaiCode", itemCode);
}

bool CCarMaintenanceDoc::FindSet(int setCode)
{
    return find(m_setHeaders, "SetCode", setCode);
}

bool CCarMaintenanceDoc::FindBalance(int customerCode)
{
    return find(m_balances, "KokCode", customerCode);
}

bool CCarMaintenanceDoc::FindIntroducedCustomer(int customerCode)
{
    return find(m_customers, "SyoukaiKokCode", customerCode);
}

int CCarMaintenanceDoc::count(Recordset& set)
{
    if (set.IsOpen() && set.IsBOF() && set.IsEOF())
        return 0;
    if (!set.MoveLast()) {
        showError(set.lastError());
        return -1;
    }
    return int(set.GetRecordCount());
}

int CCarMaintenanceDoc::CountCustomers()
{
    return count(m_customers);
}

int CCarMaintenanceDoc::CountVehicles()
{
    return count(m_vehicles);
}

int CCarMaintenanceDoc::CountItems()
{
    return count(m_items);
}

int CCarMaintenanceDoc::CountSets()
{
    return count(m_setHeaders);
}

// ---- Codes and slip numbers ---------------------------------------------

bool CCarMaintenanceDoc::checkDiskSpaceForWrite()
{
    if (m_config.checkDiskSpaceForWrite)
        return m_config.checkDiskSpaceForWrite();
    return DiskSpaceCheck(m_config.dataFolder).CheckDiskSpaceForWrite();
}

CCarMaintenanceDoc::Placement CCarMaintenanceDoc::place(const Reservation& reservation,
                                                        int wanted, int* placedCode)
{
    *placedCode = 0;
    Recordset& set = reservation.set;
    if (set.connection().transactionDepth() > 0) {
        // Inside a unit of work the placeholder would stay uncommitted after
        // the lock file is let go, and another computer could take the code.
        showError(EngineError::make(error::kGeneric, QString::fromLatin1(set.table().name)));
        return Placement::Failed;
    }
    // Checked before the lock file is taken, so that no message box keeps
    // the other computers waiting on it.
    if (!checkDiskSpaceForWrite())
        return Placement::Failed;

    int code = 0;
    EngineError failure;
    const bool held = m_locks.runExclusively(QString::fromLatin1(reservation.resource), [&] {
        code = wanted != 0 ? reservation.codes.firstFreeBetween(wanted, wanted)
                           : reservation.codes.lowestFree();
        if (code == 0) {
            failure = reservation.codes.lastError();
            return;
        }
        if (!set.AddNew()) {
            failure = set.lastError();
            code = 0;
            return;
        }
        reservation.fill(code);
        if (!set.Update()) {
            failure = set.lastError();
            set.CancelUpdate();
            code = 0;
        }
    });
    if (!held)
        return Placement::Failed;
    if (failure) {
        showError(failure);
        return Placement::Failed;
    }
    if (code == 0) {
        if (wanted != 0)
            return Placement::Taken;
        showMessage(QString::fromUtf8(reservation.noFreeCodeMessage));
        return Placement::Failed;
    }
    *placedCode = code;
    return Placement::Placed;
}

int CCarMaintenanceDoc::reserve(const Reservation& reservation)
{
    int code = 0;
    place(reservation, 0, &code);
    return code;
}

CCarMaintenanceDoc::Reservation CCarMaintenanceDoc::customerReservation()
{
    return {m_customers, m_customerCodes, "010.mdb",
            "未使用顧客コードが存在しません！\nこれ以上顧客を新規に追加することはできません",
            [this](int code) {
                m_customers.m_KokCode = code;
                m_customers.m_UserName1 = kPlaceholder;
                m_customers.m_KokBiko1 = m_config.computerName;
            }};
}

CCarMaintenanceDoc::Reservation CCarMaintenanceDoc::vehicleReservation()
{
    return {m_vehicles, m_vehicleCodes, "009.mdb",
            "未使用車輌コードが存在しません！\nこれ以上車輌を新規に追加することはできません",
            [this](int code) {
                m_vehicles.m_CarCode = code;
                m_vehicles.m_Syatai = kPlaceholder;
                m_vehicles.m_CarBiko1 = m_config.computerName;
            }};
}

int CCarMaintenanceDoc::ReserveCustomerCode()
{
    return reserve(customerReservation());
}

int CCarMaintenanceDoc::ReserveVehicleCode()
{
    return reserve(vehicleReservation());
}

CCarMaintenanceDoc::Placement CCarMaintenanceDoc::PlaceCustomerCode(int code)
{
    int placed = 0;
    return code > 0 ? place(customerReservation(), code, &placed) : Placement::Failed;
}

CCarMaintenanceDoc::Placement CCarMaintenanceDoc::PlaceVehicleCode(int code)
{
    int placed = 0;
    return code > 0 ? place(vehicleReservation(), code, &placed) : Placement::Failed;
}

bool CCarMaintenanceDoc::IsOwnCustomerPlaceholder(int code)
{
    return FindCustomer(code) && m_customers.m_UserName1 == kPlaceholder
        && m_customers.m_KokBiko1 == m_config.computerName;
}

bool CCarMaintenanceDoc::IsOwnVehiclePlaceholder(int code)
{
    return FindVehicle(code) && m_vehicles.m_Syatai == kPlaceholder
        && m_vehicles.m_CarBiko1 == m_config.computerName;
}

void CCarMaintenanceDoc::DiscardCustomerPlaceholder(int code)
{
    if (m_customers.IsOpen() && IsOwnCustomerPlaceholder(code))
        m_customers.Delete();
}

void CCarMaintenanceDoc::DiscardVehiclePlaceholder(int code)
{
    if (m_vehicles.IsOpen() && IsOwnVehiclePlaceholder(code))
        m_vehicles.Delete();
}

int CCarMaintenanceDoc::ReserveItemCode()
{
    return reserve({m_items, m_itemCodes, "011.mdb",
                    "未使用明細コードが存在しません！\nこれ以上明細を新規に追加することはできません",
                    [this](int code) {
                        m_items.m_MeisaiCode = code;
                        m_items.m_Meisai = kPlaceholder;
                        m_items.m_Furi.clear();
                    }});
}

int CCarMaintenanceDoc::ReserveSetCode()
{
    return reserve({m_setHeaders, m_setCodes, "012.mdb",
                    "未使用セットコードが存在しません！\nこれ以上セットを新規に追加することはできません",
                    [this](int code) {
                        m_setHeaders.m_SetCode = code;
                        m_setHeaders.m_SetName = kPlaceholder;
                        m_setHeaders.m_Furi.clear();
                    }});
}

int CCarMaintenanceDoc::NextSlipNumber()
{
    // The counter asks number after number from last + 1 on; the first free
    // one is found at the first question and the others are answered from it.
    bool asked = false;
    int firstFree = 0;
    EngineError failure;
    const int number = m_slipCounter.NextSlipNumber([&](int candidate) {
        if (!asked) {
            asked = true;
            firstFree = m_slipNumbers.firstFreeFrom(candidate);
            failure = m_slipNumbers.lastError();
        }
        return failure.isError() || candidate != firstFree;
    });
    if (failure)
        showError(failure);
    return failure ? 0 : number;
}

// ---- Slip lines and history -----------------------------------------------

bool CCarMaintenanceDoc::deleteLines(int slipNumber, QStringList* photos)
{
    if (m_slipRemoval.deleteLines(slipNumber, photos))
        return true;
    showError(m_slipRemoval.lastError());
    return false;
}

bool CCarMaintenanceDoc::DeleteSlipLines(int slipNumber)
{
    QStringList photos;
    {
        UnitOfWork work(m_store.mainConnection());
        if (!work.isActive()) {
            showError(work.lastError());
            return false;
        }
        if (!deleteLines(slipNumber, &photos))
            return false;
        if (!work.commit()) {
            showError(work.lastError());
            m_slipLines.Requery();
            return false;
        }
    }
    // The files go only once the lines are gone for good.
    for (const QString& names : std::as_const(photos))
        DeletePhotoFiles(names);
    return true;
}

void CCarMaintenanceDoc::DeletePhotoFiles(const QString& names)
{
    const QDir folder(photoFolder());
    for (const QString& name : names.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (FileNamePattern::isPlainName(name))
            QFile::remove(folder.filePath(name)); // a file that cannot go is passed over
    }
}

bool CCarMaintenanceDoc::trimOldestSlip(QStringList* photos)
{
    UnitOfWork work(m_store.mainConnection());
    if (!work.isActive()) {
        showError(work.lastError());
        return false;
    }
    if (!m_slipRemoval.removeCurrentSlip(false, photos)) {
        showError(m_slipRemoval.lastError());
        return false;
    }
    if (!work.commit()) {
        showError(work.lastError());
        return false;
    }
    return true;
}

bool CCarMaintenanceDoc::TrimSlipHistory(int vehicleCode, bool forNewSlip)
{
    if (!FindVehicle(vehicleCode)) {
        showMessage(QStringLiteral("該当車輌が存在しません！"));
        return false;
    }
    m_slipHeaders.SetFilter(criteria("CarCode", vehicleCode));
    m_slipHeaders.SetSort(QStringLiteral("CarCode, HatuDate"));
    if (!m_slipHeaders.Requery()) {
        showError(m_slipHeaders.lastError());
        return false;
    }
    // 120 slips are kept; a new slip needs its place among them.
    const long limit = forNewSlip ? 120 : 121;
    while (!(m_slipHeaders.IsBOF() && m_slipHeaders.IsEOF())) {
        if (!m_slipHeaders.MoveLast() || m_slipHeaders.GetRecordCount() < limit)
            break;
        if (!m_slipHeaders.MoveFirst())
            break;
        QStringList photos;
        if (!trimOldestSlip(&photos)) {
            // The unit of work is undone: the views show the rows as they are.
            m_slipHeaders.Requery();
            m_slipLines.Requery();
            m_ledger.Requery();
            return false;
        }
        for (const QString& names : std::as_const(photos))
            DeletePhotoFiles(names);
    }
    if (m_slipHeaders.lastError()) {
        showError(m_slipHeaders.lastError());
        return false;
    }
    return true;
}

// ---- Locks and counters ---------------------------------------------------

bool CCarMaintenanceDoc::ShareLock(const QString& resource, const QString& computer, int code,
                                   int action)
{
    return m_locks.ShareLock(resource, computer, code, action);
}

bool CCarMaintenanceDoc::HeldLockFile(const QString& resource, const QString& computer, int code,
                                      int action, SharedFile& file)
{
    return m_locks.HeldLockFile(resource, computer, code, action, file);
}

int CCarMaintenanceDoc::RecordCounter(const QString& database, int action)
{
    return m_counters.RecordCounter(database, action, [this, &database]() {
        if (database == QLatin1String("012.mdb"))
            return CountSets();
        if (database == QLatin1String("011.mdb"))
            return CountItems();
        if (database == QLatin1String("010.mdb"))
            return CountCustomers();
        if (database == QLatin1String("009.mdb"))
            return CountVehicles();
        return -1;
    });
}

// ---- Work copies ------------------------------------------------------------

QStringList CCarMaintenanceDoc::withFilesOnCopy(const QStringList& files) const
{
    QStringList all = files;
    for (const QString& file : m_onCopy) {
        if (!all.contains(file))
            all << file;
    }
    return all;
}

bool CCarMaintenanceDoc::detachFiles(const QStringList& files)
{
    Connection& connection = m_store.mainConnection();
    for (const QString& file : files) {
        for (OpenSet& entry : m_sets) {
            if (entry.file == file)
                entry.set->Close();
        }
        const QString schema = connection.schemaOf(file);
        if (!schema.isEmpty() && !connection.detach(schema)) {
            showError(connection.lastError());
            return false;
        }
    }
    return true;
}

bool CCarMaintenanceDoc::attachFiles(const QString& folder, const QStringList& files)
{
    Connection& connection = m_store.mainConnection();
    for (const QString& file : files) {
        if (connection.schemaOf(file).isEmpty() && !attachDataFile(connection, folder, file)) {
            showError(connection.lastError());
            return false;
        }
        for (OpenSet& entry : m_sets) {
            if (entry.file == file && !openSet(*entry.set, entry.sort))
                return false;
        }
    }
    return true;
}

bool CCarMaintenanceDoc::clearTemporaryFolder()
{
    const QString folder = temporaryFolder();
    QList<DirectoryEntry> entries;
    int code = 0;
    if (!FileSystem::listFolder(folder, entries, &code)) {
        if (code == ENOENT)
            return QDir().mkpath(folder);
        showMessage(QStringLiteral("%1 の削除に失敗しました！(ｴﾗｰｺｰﾄﾞ=%2)").arg(folder).arg(code));
        return false;
    }
    for (const DirectoryEntry& entry : std::as_const(entries)) {
        if (entry.isFolder && !entry.isLink)
            continue;
        const QString path = folder + u'/' + entry.name;
        if (!FileSystem::removeFile(path, &code) && code != ENOENT) {
            showMessage(QStringLiteral("%1 の削除に失敗しました！(ｴﾗｰｺｰﾄﾞ=%2)").arg(path).arg(code));
            return false;
        }
    }
    return true;
}

bool CCarMaintenanceDoc::checkTemporarySpace(double needed)
{
    const QString folder = temporaryFolder();
    const DiskSpaceCheck::FreeSpaceQuery query =
        m_config.freeBytes ? m_config.freeBytes : DiskSpaceCheck::systemQuery();
    double freeBytes = 0;
    if (!query(folder, &freeBytes)) {
        showMessage(QStringLiteral("空き容量チェックエラー"));
        return false;
    }
    if (freeBytes - kKeptFreeForWorkCopies < needed) {
        showMessage(
            QStringLiteral("ドライブ (%1) の空き容量が足りません！\n整理して空き容量を増やして下さい")
                .arg(folder));
        return false;
    }
    return true;
}

bool CCarMaintenanceDoc::copyToTemporaryFolder(const QStringList& files)
{
    double needed = 0;
    for (const QString& file : files) {
        int ok = 0;
        const int size = GetSize(QDir(m_config.dataFolder).filePath(file), &ok);
        if (!ok)
            return false; // GetSize has shown why
        needed += double(size);
    }
    if (!checkTemporarySpace(needed))
        return false;
    const QString folder = temporaryFolder();
    for (const QString& file : files) {
        const int rc = copyDatabase(QDir(m_config.dataFolder).filePath(file), QDir(folder).filePath(file));
        if (rc != SQLITE_OK) {
            showMessage(QStringLiteral("ファイルのコピーに失敗しました！(ｴﾗｰｺｰﾄﾞ=%1)\nこのまま使用し続けると危険です！\n"
                                       "このエラーが表示されたことを当方までご連絡下さい。")
                            .arg(rc));
            return false;
        }
    }
    return true;
}

bool CCarMaintenanceDoc::PrepareWorkCopy(int kind)
{
    HeldLockGuard printing(m_locks, kPrinting, m_config.computerName, 1, ShareLockAction::Hold);
    if (!printing.isHeld()) {
        showMessage(QStringLiteral("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。"));
        return false;
    }
    const QStringList files = WorkCopyKind::filesOf(kind);
    // A copy still in use goes back first: the temporary folder is about to
    // be emptied, and no attached file may vanish under its connection.
    const QStringList closing = withFilesOnCopy(files);
    if (!detachFiles(closing)) {
        attachFiles(m_config.dataFolder, closing);
        return false;
    }
    m_onCopy.clear();
    if (!clearTemporaryFolder() || !copyToTemporaryFolder(files)
        || !attachFiles(temporaryFolder(), files)) {
        detachFiles(files);
        attachFiles(m_config.dataFolder, closing);
        return false;
    }
    // Those that were on an older copy and are not part of this one.
    QStringList others = closing;
    for (const QString& file : files)
        others.removeAll(file);
    if (!attachFiles(m_config.dataFolder, others))
        return false;
    m_onCopy = files;
    return true;
}

bool CCarMaintenanceDoc::EndWorkCopy(int kind)
{
    const QStringList files = withFilesOnCopy(WorkCopyKind::filesOf(kind));
    const bool detached = detachFiles(files);
    m_onCopy.clear();
    // Only files no connection holds any more may be deleted.
    if (detached)
        clearTemporaryFolder();
    return attachFiles(m_config.dataFolder, files) && detached;
}

} // namespace kv::data
