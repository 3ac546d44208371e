#pragma once

#include "data/settings/BitmapFileNames.h"
#include "data/settings/CallInfoFile.h"
#include "data/settings/CallerIdSettings.h"
#include "data/settings/CategoryNames.h"
#include "data/settings/DefaultPrinterSource.h"
#include "data/settings/GeneralSettings.h"
#include "data/settings/InvoiceIssuer.h"
#include "data/settings/PrintSettings.h"
#include "common/platform/RetryClock.h"
#include "data/settings/RoundingSettings.h"
#include "data/settings/SettingsFileId.h"
#include "data/settings/SettingsList.h"
#include "data/settings/SettingsUpdate.h"
#include "data/settings/ShopDetails.h"

#include <QString>

#include <functional>

namespace kv::data {

// The program-wide settings records, one of each, with the loads and saves of
// their files in the data folder. Each file is read whole into its record and
// written whole from it; a load that fails leaves the record as it was (zeros
// at start) after the file error message.
class SettingsStore {
public:
    explicit SettingsStore(const QString& dataFolder = {});

    void setDataFolder(const QString& folder) { m_dataFolder = folder; }
    const QString& dataFolder() const { return m_dataFolder; }
    QString printerFolder() const;
    QString pathOf(SettingsFileId id) const;

    // The clock and timing of the open retries (tests shorten them).
    void setRetryClock(RetryClock& clock, const RetryTiming& timing);

    // True when the file was read / written; false after a message, or
    // silently when a list save gave up after the timeout.
    bool LoadSettingsFile(SettingsFileId id);
    bool SaveSettingsFile(SettingsFileId id);

    // 1 loaded into the print settings' positions; -1 no such file in the
    // printer folder (no message); 0 any other failure (message) or a file
    // busy for the whole timeout (no message).
    int LoadPrintPositions(const QString& name);
    // 1 written, 0 not.
    int SavePrintPositions(const QString& name);

    // Everything the program reads at start, in order: "002.dat", "003.dat",
    // the default printer's positions, "001.dat", "004.dat" with the
    // registration number, "005.dat",
    // "009.dat", "010.dat" ... "014.dat", "017.dat", then callerIdStep (the
    // ring sound and the caller-ID profile values), then "018.dat". False only
    // when the printer's positions cannot be had, which stops the start.
    bool loadAtStart(const DefaultPrinterSource& printers, const QString& computerName,
                     const std::function<void()>& callerIdStep = {});
    // Start-up's printer step alone.
    bool loadDefaultPrinterPositions(const DefaultPrinterSource& printers,
                                     const QString& computerName);
    // After a printer was chosen: when its position file differs from the
    // current one it becomes current and is loaded, or written with the
    // default positions when it does not exist yet. False after a failure.
    bool usePrinter(const PrinterIdentity& printer, const QString& computerName);

    // The registration number of its own file; false after a message.
    bool loadInvoiceIssuer() { return InvoiceIssuer::load(m_dataFolder, &m_invoiceIssuer); }
    bool saveInvoiceIssuer() { return m_invoiceIssuer.save(m_dataFolder); }

    // Re-reads what the kind of a LAN "Update" message names; other kinds
    // change nothing.
    SettingsUpdate reloadForUpdate(const QString& kind);

    // The current printer's position file, empty without a default printer.
    const QString& positionFileName() const { return m_positionFileName; }

    GeneralSettings& general() { return m_general; }
    RoundingSettings& rounding() { return m_rounding; }
    PrintSettings& print() { return m_print; }
    ShopDetails& shop() { return m_shop; }
    InvoiceIssuer& invoiceIssuer() { return m_invoiceIssuer; }
    BitmapFileNames& bitmapNames() { return m_bitmapNames; }
    CategoryNames& categories() { return m_categories; }
    SettingsList& transportOffices() { return m_transportOffices; }
    SettingsList& vehicleClasses() { return m_vehicleClasses; }
    SettingsList& vehicleUses() { return m_vehicleUses; }
    SettingsList& bodyShapes() { return m_bodyShapes; }
    SettingsList& makes() { return m_makes; }
    SettingsList& fuels() { return m_fuels; }
    CallerIdSettings& callerId() { return m_callerId; }
    CallInfoFile& callInfo() { return m_callInfo; }
    // The list record of a list file, nullptr for the other files.
    SettingsList* listOf(SettingsFileId id);

private:
    SettingsFileAccess access() const;
    QString positionPath(const QString& name) const;
    void decodeInto(SettingsFileId id, const QByteArray& bytes);
    QByteArray encode(SettingsFileId id, QString* refusal);

    QString m_dataFolder;
    QString m_positionFileName;
    RetryClock* m_clock;
    RetryTiming m_timing;

    GeneralSettings m_general;
    RoundingSettings m_rounding;
    PrintSettings m_print;
    ShopDetails m_shop;
    InvoiceIssuer m_invoiceIssuer;
    BitmapFileNames m_bitmapNames;
    CategoryNames m_categories;
    SettingsList m_transportOffices;
    SettingsList m_vehicleClasses;
    SettingsList m_vehicleUses;
    SettingsList m_bodyShapes;
    SettingsList m_makes;
    SettingsList m_fuels;
    CallerIdSettings m_callerId;
    CallInfoFile m_callInfo;
};

} // namespace kv::data
