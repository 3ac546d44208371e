#include "data/settings/SettingsStore.h"

#include "common/MessageGateway.h"
#include "data/settings/PrintPositionFileName.h"

namespace kv::data {

namespace {
using Outcome = SettingsFileAccess::Outcome;

const SettingsFileId kListFiles[] = {
    SettingsFileId::VehicleClasses, SettingsFileId::VehicleUses, SettingsFileId::BodyShapes,
    SettingsFileId::Makes, SettingsFileId::Fuels,
};
}

SettingsStore::SettingsStore(const QString& dataFolder)
    : m_dataFolder(dataFolder)
    , m_clock(&RetryClock::system())
    , m_transportOffices(ListLayout::transportOffices())
    , m_vehicleClasses(ListLayout::vehicleClasses())
    , m_vehicleUses(ListLayout::vehicleUses())
    , m_bodyShapes(ListLayout::bodyShapes())
    , m_makes(ListLayout::makes())
    , m_fuels(ListLayout::fuels())
{
}

QString SettingsStore::printerFolder() const
{
    return m_dataFolder + QStringLiteral("/Printer");
}

QString SettingsStore::pathOf(SettingsFileId id) const
{
    return m_dataFolder + QLatin1Char('/') + SettingsFileRules::of(id).name();
}

QString SettingsStore::positionPath(const QString& name) const
{
    return printerFolder() + QLatin1Char('/') + name;
}

void SettingsStore::setRetryClock(RetryClock& clock, const RetryTiming& timing)
{
    m_clock = &clock;
    m_timing = timing;
}

SettingsFileAccess SettingsStore::access() const
{
    return SettingsFileAccess(*m_clock, m_timing);
}

SettingsList* SettingsStore::listOf(SettingsFileId id)
{
    switch (id) {
    case SettingsFileId::TransportOffices:
        return &m_transportOffices;
    case SettingsFileId::VehicleClasses:
        return &m_vehicleClasses;
    case SettingsFileId::VehicleUses:
        return &m_vehicleUses;
    case SettingsFileId::BodyShapes:
        return &m_bodyShapes;
    case SettingsFileId::Makes:
        return &m_makes;
    case SettingsFileId::Fuels:
        return &m_fuels;
    default:
        return nullptr;
    }
}

void SettingsStore::decodeInto(SettingsFileId id, const QByteArray& bytes)
{
    if (SettingsList* list = listOf(id)) {
        list->readBytes(bytes);
        return;
    }
    switch (id) {
    case SettingsFileId::General:
        m_general = GeneralSettings::fromBytes(bytes);
        break;
    case SettingsFileId::Rounding:
        m_rounding = RoundingSettings::fromBytes(bytes);
        break;
    case SettingsFileId::Print:
        m_print = PrintSettings::fromBytes(bytes);
        break;
    case SettingsFileId::Shop:
        m_shop = ShopDetails::fromBytes(bytes);
        break;
    case SettingsFileId::BitmapNames:
        m_bitmapNames = BitmapFileNames::fromBytes(bytes);
        break;
    case SettingsFileId::Categories:
        m_categories = CategoryNames::fromBytes(bytes);
        break;
    case SettingsFileId::CallerId:
        m_callerId = CallerIdSettings::fromBytes(bytes);
        break;
    case SettingsFileId::CallInfo:
        m_callInfo = CallInfoFile::fromBytes(bytes);
        break;
    default:
        break;
    }
}

QByteArray SettingsStore::encode(SettingsFileId id, QString* refusal)
{
    if (SettingsList* list = listOf(id))
        return list->toBytes(refusal);
    switch (id) {
    case SettingsFileId::General:
        return m_general.toBytes();
    case SettingsFileId::Rounding:
        return m_rounding.toBytes();
    case SettingsFileId::Print:
        return m_print.toBytes();
    case SettingsFileId::Shop:
        return m_shop.toBytes(refusal);
    case SettingsFileId::BitmapNames:
        return m_bitmapNames.toBytes(refusal);
    case SettingsFileId::Categories:
        return m_categories.toBytes(refusal);
    case SettingsFileId::CallerId:
        return m_callerId.toBytes(refusal);
    case SettingsFileId::CallInfo:
        return m_callInfo.toBytes(refusal);
    default:
        return {};
    }
}

bool SettingsStore::LoadSettingsFile(SettingsFileId id)
{
    const SettingsFileRules& rules = SettingsFileRules::of(id);
    QByteArray bytes;
    if (access().read(pathOf(id), rules.size, rules.shareAll, rules.loadRetry, &bytes)
        != Outcome::Done)
        return false;
    decodeInto(id, bytes);
    return true;
}

bool SettingsStore::SaveSettingsFile(SettingsFileId id)
{
    const SettingsFileRules& rules = SettingsFileRules::of(id);
    QString refusal;
    const QByteArray bytes = encode(id, &refusal);
    if (bytes.isEmpty()) {
        // Nothing is written rather than a shortened text.
        showMessage(refusal);
        return false;
    }
    return access().write(pathOf(id), bytes, rules.shareAll, rules.saveRetry) == Outcome::Done;
}

int SettingsStore::LoadPrintPositions(const QString& name)
{
    QByteArray bytes;
    switch (access().read(positionPath(name), PrintPositions::kFileSize, false, RetryRule::GiveUp,
                          &bytes, true)) {
    case Outcome::Done:
        m_print.positions = PrintPositions::fromBytes(bytes);
        return 1;
    case Outcome::Missing:
        return -1;
    default:
        return 0;
    }
}

int SettingsStore::SavePrintPositions(const QString& name)
{
    return access().write(positionPath(name), m_print.positions.toFileBytes(), false,
                          RetryRule::GiveUp)
            == Outcome::Done
        ? 1
        : 0;
}

bool SettingsStore::loadDefaultPrinterPositions(const DefaultPrinterSource& printers,
                                                const QString& computerName)
{
    m_positionFileName.clear();
    PrinterIdentity printer;
    switch (printers.defaultPrinter(&printer)) {
    case DefaultPrinterSource::Result::NoPrinter:
        return true;
    case DefaultPrinterSource::Result::Failed:
        showMessage(QStringLiteral("通常使うプリンタの名前を取得できません！"));
        return false;
    case DefaultPrinterSource::Result::Found:
        break;
    }
    m_positionFileName = printPositionFileName(printer, computerName);
    const int own = LoadPrintPositions(m_positionFileName);
    if (own != -1)
        return own == 1;
    const int shared = LoadPrintPositions(kDefaultPositionFile);
    if (shared == 0)
        return false;
    if (shared == -1)
        m_print.positions = PrintPositions::defaults();
    return SavePrintPositions(m_positionFileName) == 1;
}

bool SettingsStore::usePrinter(const PrinterIdentity& printer, const QString& computerName)
{
    const QString name = printPositionFileName(printer, computerName);
    if (name == m_positionFileName)
        return true;
    m_positionFileName = name;
    const int loaded = LoadPrintPositions(name);
    if (loaded != -1)
        return loaded == 1;
    m_print.positions = PrintPositions::defaults();
    return SavePrintPositions(name) == 1;
}

bool SettingsStore::loadAtStart(const DefaultPrinterSource& printers, const QString& computerName,
                                const std::function<void()>& callerIdStep)
{
    // A file that cannot be read has shown its message; the program runs on
    // with what the record held. Only the printer's positions stop the start.
    LoadSettingsFile(SettingsFileId::Rounding);
    LoadSettingsFile(SettingsFileId::Print);
    if (!loadDefaultPrinterPositions(printers, computerName))
        return false;
    LoadSettingsFile(SettingsFileId::General);
    LoadSettingsFile(SettingsFileId::Shop);
    loadInvoiceIssuer();
    LoadSettingsFile(SettingsFileId::BitmapNames);
    LoadSettingsFile(SettingsFileId::Categories);
    for (SettingsFileId id : kListFiles)
        LoadSettingsFile(id);
    LoadSettingsFile(SettingsFileId::CallerId);
    if (callerIdStep)
        callerIdStep();
    LoadSettingsFile(SettingsFileId::CallInfo);
    return true;
}

SettingsUpdate SettingsStore::reloadForUpdate(const QString& kind)
{
    struct ListKind {
        const char* kind;
        SettingsFileId file;
        SettingsUpdate update;
    };
    static const ListKind kinds[] = {
        {"種別", SettingsFileId::VehicleClasses, SettingsUpdate::VehicleClasses},
        {"用途", SettingsFileId::VehicleUses, SettingsUpdate::VehicleUses},
        {"形状", SettingsFileId::BodyShapes, SettingsUpdate::BodyShapes},
        {"車名", SettingsFileId::Makes, SettingsUpdate::Makes},
        {"燃料", SettingsFileId::Fuels, SettingsUpdate::Fuels},
        {"ファイル名", SettingsFileId::BitmapNames, SettingsUpdate::BitmapNames},
        // So that no computer bills at a rate another has changed.
        {"端数処理", SettingsFileId::Rounding, SettingsUpdate::Rounding},
        {"代行料 課税・非課税", SettingsFileId::General, SettingsUpdate::General},
        {"郵便番号検索 標準都道府県", SettingsFileId::General, SettingsUpdate::General},
        // New slips take the labour rates, printed slips the shop's details.
        {"自社情報", SettingsFileId::Shop, SettingsUpdate::Shop},
        // The whole list is written back when one office is changed here.
        {"陸事", SettingsFileId::TransportOffices, SettingsUpdate::TransportOffices},
    };
    if (kind == QStringLiteral("印字")) {
        LoadSettingsFile(SettingsFileId::Print);
        if (!m_positionFileName.isEmpty())
            LoadPrintPositions(m_positionFileName);
        return SettingsUpdate::PrintSettings;
    }
    for (const ListKind& k : kinds) {
        if (kind == QString::fromUtf8(k.kind)) {
            LoadSettingsFile(k.file);
            // The registration number is recorded with the shop's details.
            if (k.file == SettingsFileId::Shop)
                loadInvoiceIssuer();
            return k.update;
        }
    }
    return SettingsUpdate::None;
}

} // namespace kv::data
