#pragma once

#include "data/document/CodeOccupancy.h"
#include "data/document/DocumentConfig.h"
#include "data/document/ReservedRecords.h"
#include "data/document/SlipRemoval.h"
#include "data/service/LockTables.h"
#include "data/service/RecordCounters.h"
#include "data/service/RunningComputers.h"
#include "data/service/SlipNumberCounter.h"
#include "data/settings/SettingsStore.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tables/PostalRecordsets.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace kv {
class SharedFile;
}

namespace kv::data {

// The document: owns every database connection and recordset for the life
// of the program and performs the record operations the windows share
// (positioning on a code, counting, code reservation, slip numbers, slip
// history, the cross-computer locks and counters, print work copies).
//
// The application shell creates it with the folders, the LAN role and the
// computer name, calls OpenAllDatabases at document creation (after its own
// listener and start-up free-space check) and CloseDatabases at the end.
// Failures are shown where they happen; results follow the usual rule
// (false, 0 or -1).
class CCarMaintenanceDoc {
public:
    explicit CCarMaintenanceDoc(DocumentConfig config);
    ~CCarMaintenanceDoc();
    CCarMaintenanceDoc(const CCarMaintenanceDoc&) = delete;
    CCarMaintenanceDoc& operator=(const CCarMaintenanceDoc&) = delete;

    const DocumentConfig& config() const { return m_config; }
    // A client learns its name only once it has reached the server.
    void setComputerName(const QString& name) { m_config.computerName = name; }
    const QString& computerName() const { return m_config.computerName; }
    // The name the printers' position files carry: this computer's own,
    // never the "Server" of the lock tables, so that a printer's offsets
    // stay with the computer that prints on it.
    QString hostName() const;
    QString temporaryFolder() const;
    QString photoFolder() const;

    // Marks this computer as running (RunningComputers), opens the data
    // folder's files and every recordset, removes the placeholders of the
    // computers that are gone (server only), opens the postal files, loads
    // the settings, frees the lock-table slots of the computers that are
    // gone (server), joins and releases the lock tables and recounts the
    // record counters (server). A computer still running keeps what it
    // holds, whoever restarts. False after a database error, whose text has
    // been shown; everything is closed again then.
    bool OpenAllDatabases();
    // Closes every recordset and connection; reserved discards its
    // placeholders just before the customer and the vehicle recordset
    // close. Releases this computer's codes in the twelve lock tables.
    void CloseDatabases(ReservedRecords* reserved = nullptr);
    bool isOpen() const { return m_open; }

    // Find-first on the document's recordset in its current view; the found
    // record becomes current.
    bool FindCustomer(int customerCode);
    bool FindFirstVehicleOfCustomer(int customerCode);
    bool FindVehicle(int vehicleCode);
    bool FindItem(int itemCode);
    bool FindSet(int setCode);
    bool FindBalance(int customerCode);
    bool FindIntroducedCustomer(int customerCode);

    // Records of the recordset under its current filter; moves to the last.
    // 0 when empty, -1 after a database error (shown).
    int CountCustomers();
    int CountVehicles();
    int CountItems();
    int CountSets();

    // The lowest free code, written at once as a placeholder record
    // ("新規作成中") that becomes the current record of the recordset. The search
    // and the insert run while the table's lock file is held exclusively,
    // so two computers never take the same code. 0 when no code is free
    // (message), the disk is full (message) or the lock file cannot be had.
    // Not to be called inside a unit of work: the placeholder must be
    // committed before the lock file is let go.
    int ReserveCustomerCode();
    int ReserveVehicleCode();
    int ReserveItemCode();
    int ReserveSetCode();

    // A placeholder under the code the user typed, written under the same
    // hold as a reservation. Taken (no message) when a record has the code;
    // Failed after the message (disk full, lock file, database).
    enum class Placement { Placed, Taken, Failed };
    Placement PlaceCustomerCode(int code);
    Placement PlaceVehicleCode(int code);

    // Whether the code's record is the placeholder this computer reserved;
    // the record becomes current when there is one. Only that placeholder
    // is this computer's to fill or to drop.
    bool IsOwnCustomerPlaceholder(int code);
    bool IsOwnVehiclePlaceholder(int code);
    // Deletes the code's record only when it is this computer's placeholder.
    void DiscardCustomerPlaceholder(int code);
    void DiscardVehiclePlaceholder(int code);

    // The next slip number after the last one handed out that no slip
    // carries ("015.dat" held throughout); 0 when none can be had.
    int NextSlipNumber();

    // Free space for writing records on the data folder's drive; false
    // after the message.
    bool checkDiskSpaceForWrite();
    // Room for work copies of this many bytes in the temporary folder, a
    // gigabyte kept free; false after the message.
    bool checkTemporarySpace(double needed);

    // Deletes the slip's lines as one unit of work, then their photo files.
    bool DeleteSlipLines(int slipNumber);
    // Deletes the photo files named in a line's Photo column ("\r\n"
    // separated) from the photo folder; plain file names only.
    void DeletePhotoFiles(const QString& names);
    // Deletes the vehicle's oldest slips while it has 121 or more (120 or
    // more when a new slip is about to be added). Each slip goes as one unit
    // of work: its ledger row unlinked (kept, DenFlag 0), its lines and its
    // header deleted.
    bool TrimSlipHistory(int vehicleCode, bool forNewSlip);

    bool ShareLock(const QString& resource, const QString& computer, int code, int action);
    bool HeldLockFile(const QString& resource, const QString& computer, int code, int action,
                      SharedFile& file);
    // RecordCounters::Action; Recount stores the count of the database's
    // recordset ("012.mdb" sets, "011.mdb" items, "010.mdb" customers,
    // "009.mdb" vehicles).
    int RecordCounter(const QString& database, int action);

    // Moves the recordsets of the kind's files onto fresh copies in the
    // temporary folder (the "Printing" lock file held meanwhile), so long
    // print runs do not hold the shared files. On failure (message) they
    // stay on, or go back to, the data folder.
    bool PrepareWorkCopy(int kind);
    // Puts them back on the data folder and empties the temporary folder.
    bool EndWorkCopy(int kind);
    // The files now read from copies.
    const QStringList& filesOnWorkCopy() const { return m_onCopy; }

    // The recordsets, opened in this order with these sorts.
    CDaoKokSet& customers() { return m_customers; }              // "KokCode"
    CDaoKokSet& callLookupCustomers() { return m_callCustomers; } // "KokCode"
    CDaoCarSet& vehicles() { return m_vehicles; }                 // "KokCode, CarCode"
    CDaoKokNameSet& customerNames() { return m_customerNames; }
    CDaoJyuSet& addresses() { return m_addresses; }
    CDaoSyasyuSet& models() { return m_models; }
    CDaoNyuukoKbnSet& jobCategories() { return m_jobCategories; }
    CDaoSyaHeadSet& slipHeaders() { return m_slipHeaders; }       // "CarCode, HatuDate"
    CDaoSyaJnlSet& slipLines() { return m_slipLines; }            // "DenNo, LineNo"
    CDaoMeisaiSet& items() { return m_items; }
    CDaoMeisaiSetHeadSet& setHeaders() { return m_setHeaders; }
    CDaoMeisaiSetJnlSet& setLines() { return m_setLines; }
    CDaoToriJnlSet& ledger() { return m_ledger; }                 // "KokCode, Date"
    CDaoZanSet& balances() { return m_balances; }
    CDaoSealSet& labelSheets() { return m_labelSheets; }
    CDaoUriBunReportSet& salesReport() { return m_salesReport; }
    // The postal table of prefecture 1..47; nullptr when it is not open
    // (its file missing from the program folder).
    CDaoPostSet* postal(int prefecture);
    int postalSetCount() const { return int(m_postal.size()); }

    SettingsStore& settings() { return m_settings; }
    LockTables& lockTables() { return m_locks; }
    DataStore& store() { return m_store; }

private:
    struct OpenSet {
        Recordset* set;
        QString file;
        const char* sort;
    };
    struct PostalSet {
        std::unique_ptr<CDaoPostSet> set;
        QString file;
        int prefecture;
    };
    struct Reservation {
        Recordset& set;
        CodeOccupancy& codes;
        const char* resource;
        const char* noFreeCodeMessage;
        std::function<void(int code)> fill;
    };

    bool openSet(Recordset& set, const char* sort);
    // reserver: who reserved the current placeholder; empty when its table
    // does not say.
    bool deletePlaceholders(Recordset& set, const char* nameColumn,
                            const std::function<QString()>& reserver);
    void openPostal();
    void lockTablesAtStart();
    bool find(Recordset& set, const char* column, int code);
    int count(Recordset& set);
    int reserve(const Reservation& reservation);
    // wanted 0: the lowest free code.
    Placement place(const Reservation& reservation, int wanted, int* placedCode);
    Reservation customerReservation();
    Reservation vehicleReservation();
    bool deleteLines(int slipNumber, QStringList* photos);
    bool trimOldestSlip(QStringList* photos);
    void showError(const EngineError& error) const;

    // Work copies.
    QStringList withFilesOnCopy(const QStringList& files) const;
    bool detachFiles(const QStringList& files);
    bool attachFiles(const QString& folder, const QStringList& files);
    bool clearTemporaryFolder();
    bool copyToTemporaryFolder(const QStringList& files);

    DocumentConfig m_config;
    DataStore m_store;
    LockTables m_locks;
    RunningComputers m_running;
    RecordCounters m_counters;
    SlipNumberCounter m_slipCounter;
    SettingsStore m_settings;

    CDaoKokSet m_customers;
    CDaoKokSet m_callCustomers;
    CDaoCarSet m_vehicles;
    CDaoKokNameSet m_customerNames;
    CDaoJyuSet m_addresses;
    CDaoSyasyuSet m_models;
    CDaoNyuukoKbnSet m_jobCategories;
    CDaoSyaHeadSet m_slipHeaders;
    CDaoSyaJnlSet m_slipLines;
    CDaoMeisaiSet m_items;
    CDaoMeisaiSetHeadSet m_setHeaders;
    CDaoMeisaiSetJnlSet m_setLines;
    CDaoToriJnlSet m_ledger;
    CDaoZanSet m_balances;
    CDaoSealSet m_labelSheets;
    CDaoUriBunReportSet m_salesReport;
    SlipRemoval m_slipRemoval{m_slipHeaders, m_slipLines, m_ledger};
    std::vector<OpenSet> m_sets;
    std::vector<PostalSet> m_postal;

    CodeOccupancy m_customerCodes;
    CodeOccupancy m_vehicleCodes;
    CodeOccupancy m_itemCodes;
    CodeOccupancy m_setCodes;
    CodeOccupancy m_slipNumbers;

    bool m_open = false;
    QStringList m_onCopy;
};

} // namespace kv::data
