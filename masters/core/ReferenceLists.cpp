#include "masters/core/ReferenceLists.h"

#include "data/settings/RecordWriter.h"
#include "masters/core/TableEdits.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/ChangeAnnouncer.h"

namespace kv::masters {

namespace {

// The recordset of a table with its text and reading columns.
template <class Set>
struct Columns;

template <>
struct Columns<CDaoJyuSet> {
    static QString& text(CDaoJyuSet& set) { return set.m_Jyu; }
    static QString* reading(CDaoJyuSet& set) { return &set.m_Furi; }
};
template <>
struct Columns<CDaoKokNameSet> {
    static QString& text(CDaoKokNameSet& set) { return set.m_KokName; }
    static QString* reading(CDaoKokNameSet& set) { return &set.m_KokFuri; }
};
template <>
struct Columns<CDaoSyasyuSet> {
    static QString& text(CDaoSyasyuSet& set) { return set.m_Syasyu; }
    static QString* reading(CDaoSyasyuSet&) { return nullptr; }
};

ReferenceRow rowOf(data::Recordset& any, ReferenceTable table)
{
    switch (table) {
    case ReferenceTable::Addresses: {
        auto& set = static_cast<CDaoJyuSet&>(any);
        return {set.m_ID, set.m_Jyu, set.m_Furi};
    }
    case ReferenceTable::CustomerNames: {
        auto& set = static_cast<CDaoKokNameSet&>(any);
        return {set.m_ID, set.m_KokName, set.m_KokFuri};
    }
    case ReferenceTable::Models: {
        auto& set = static_cast<CDaoSyasyuSet&>(any);
        return {set.m_ID, set.m_Syasyu, {}};
    }
    }
    return {};
}

template <class Set>
void putRow(Set& set, const ReferenceRow& row)
{
    Columns<Set>::text(set) = row.text;
    if (QString* reading = Columns<Set>::reading(set))
        *reading = row.reading;
}

data::Recordset& setOf(data::CCarMaintenanceDoc& document, ReferenceTable table)
{
    switch (table) {
    case ReferenceTable::Addresses: return document.addresses();
    case ReferenceTable::CustomerNames: return document.customerNames();
    case ReferenceTable::Models: break;
    }
    return document.models();
}

QString missingMessage()
{
    return QStringLiteral("該当データが存在しません！");
}

} // namespace

const ReferenceListKind& ReferenceListKind::of(ReferenceTable table)
{
    static const ReferenceListKind kinds[] = {
        {ReferenceTable::Addresses, "住所", 500, 30, 1, "住所を入力して下さい！",
         "ﾌﾘｶﾞﾅを入力して下さい！", "住所", "ﾌﾘｶﾞﾅ", "Furi, Jyu, ID"},
        {ReferenceTable::CustomerNames, "名前", 500, 20, 20, "名前を入力して下さい！", nullptr,
         "名前", "ﾌﾘｶﾞﾅ", "KokFuri, KokName, ID"},
        {ReferenceTable::Models, "車種", 999, 30, 0, "車種を入力して下さい！", nullptr, "車種",
         "", "SyameiNo, Syasyu, ID"},
    };
    return kinds[int(table)];
}

ReferenceListStore::ReferenceListStore(data::CCarMaintenanceDoc& document, ReferenceTable table)
    : m_document(document)
    , m_kind(ReferenceListKind::of(table))
{
}

QString ReferenceListStore::countLabel(int count, int maximum)
{
    return QString::asprintf("%3d/%3d", count, maximum) + QStringLiteral("件");
}

QString ReferenceListStore::filter() const
{
    return m_kind.table == ReferenceTable::Models ? QStringLiteral("SyameiNo = %1").arg(m_make)
                                                  : QString();
}

QString ReferenceListStore::sort() const
{
    return m_kind.table == ReferenceTable::Models ? QStringLiteral("Syasyu, ID")
                                                  : QString::fromLatin1(m_kind.openingSort);
}

std::optional<std::vector<ReferenceRow>> ReferenceListStore::readAll()
{
    data::Recordset& set = setOf(m_document, m_kind.table);
    m_lastMessage = TableEdits::requery(set, filter(), sort());
    if (!m_lastMessage.isEmpty())
        return std::nullopt;
    std::vector<ReferenceRow> rows;
    for (; !set.IsEOF() && int(rows.size()) < m_kind.maxRows; set.MoveNext())
        rows.push_back(rowOf(set, m_kind.table));
    return rows;
}

QString ReferenceListStore::checkText(const QString& text, int bytes, const char* required,
                                      const QString& caption) const
{
    if (text.isEmpty())
        return required ? QString::fromUtf8(required) : QString();
    return data::RecordWriter::checkText(text, bytes, caption);
}

ReferenceListStore::Outcome ReferenceListStore::record(const ReferenceRow& row)
{
    Outcome outcome;
    outcome.message = checkText(row.text, m_kind.textBytes, m_kind.textRequired,
                                QString::fromUtf8(m_kind.textCaption));
    if (!outcome.message.isEmpty()) {
        outcome.focus = Field::Text;
        return outcome;
    }
    if (m_kind.readingBytes > 0) {
        outcome.message = checkText(row.reading, m_kind.readingBytes, m_kind.readingRequired,
                                    QString::fromUtf8(m_kind.readingCaption));
        if (!outcome.message.isEmpty()) {
            outcome.focus = Field::Reading;
            return outcome;
        }
    }
    if (!m_document.checkDiskSpaceForWrite())
        return outcome;

    data::Recordset& set = setOf(m_document, m_kind.table);
    if (row.id == 0) {
        outcome.message = TableEdits::requery(set, filter(), sort());
        if (outcome.message.isEmpty() && set.GetRecordCount() >= m_kind.maxRows) {
            outcome.message = TableEdits::fullMessage(m_kind.maxRows);
            outcome.focus = Field::ClearButton;
        }
    } else {
        outcome.message = TableEdits::openRow(set, QStringLiteral("ID = %1").arg(row.id), sort(),
                                              missingMessage());
    }
    if (outcome.message.isEmpty())
        outcome.message = TableEdits::begin(set, row.id == 0);
    if (!outcome.message.isEmpty())
        return outcome;
    switch (m_kind.table) {
    case ReferenceTable::Addresses: putRow(static_cast<CDaoJyuSet&>(set), row); break;
    case ReferenceTable::CustomerNames: putRow(static_cast<CDaoKokNameSet&>(set), row); break;
    case ReferenceTable::Models:
        putRow(static_cast<CDaoSyasyuSet&>(set), row);
        static_cast<CDaoSyasyuSet&>(set).m_SyameiNo = m_make;
        break;
    }
    outcome.message = TableEdits::store(set);
    if (!outcome.message.isEmpty())
        return outcome;
    outcome.done = true;
    outcome.row = rowOf(set, m_kind.table);
    return outcome;
}

ReferenceListStore::Outcome ReferenceListStore::remove(int id)
{
    Outcome outcome;
    data::Recordset& set = setOf(m_document, m_kind.table);
    outcome.message = TableEdits::removeRow(set, QStringLiteral("ID = %1").arg(id), sort(),
                                            missingMessage());
    outcome.done = outcome.message.isEmpty();
    outcome.row.id = id;
    return outcome;
}

QString ReferenceListStore::resetView()
{
    return TableEdits::requery(setOf(m_document, m_kind.table), QString(),
                               QString::fromLatin1(m_kind.openingSort));
}

// ---- Fixed lists -------------------------------------------------------------

const FixedListKind& FixedListKind::transportOffices()
{
    static const FixedListKind kind{"陸事", data::SettingsFileId::TransportOffices, 0, 19, false,
                                    "　　 陸　事", "陸事", "２０件固定"};
    return kind;
}
const FixedListKind& FixedListKind::makes()
{
    static const FixedListKind kind{"車名", data::SettingsFileId::Makes, 1, 60, true,
                                    "車　　　　名", "車名", nullptr};
    return kind;
}
const FixedListKind& FixedListKind::vehicleClasses()
{
    static const FixedListKind kind{"種別", data::SettingsFileId::VehicleClasses, 2, 30, true,
                                    "　　種　別", "種別", nullptr};
    return kind;
}
const FixedListKind& FixedListKind::vehicleUses()
{
    static const FixedListKind kind{"用途", data::SettingsFileId::VehicleUses, 1, 30, true,
                                    "　 用　途", "用途", nullptr};
    return kind;
}
const FixedListKind& FixedListKind::fuels()
{
    static const FixedListKind kind{"燃料の種類", data::SettingsFileId::Fuels, 1, 20, true,
                                    "　　燃　 料", "燃料", nullptr};
    return kind;
}
const FixedListKind& FixedListKind::bodyShapes()
{
    static const FixedListKind kind{"車体の形状", data::SettingsFileId::BodyShapes, 1, 60, true,
                                    "形　　　　　状", "形状", nullptr};
    return kind;
}

FixedListEditor::FixedListEditor(data::SettingsStore& settings, const FixedListKind& kind)
    : m_settings(settings)
    , m_kind(kind)
{
}

int FixedListEditor::textBytes() const
{
    return m_settings.listOf(m_kind.file)->layout().textBytes;
}

bool FixedListEditor::load()
{
    return m_settings.LoadSettingsFile(m_kind.file);
}

QString FixedListEditor::slotText(int slot) const
{
    return m_settings.listOf(m_kind.file)->entry(slot);
}

bool FixedListEditor::store(int slot, const QString& text)
{
    if (slot < m_kind.first || slot > m_kind.last) {
        showMessage(QStringLiteral("m_nItem 異常"));
        return false;
    }
    data::SettingsList& list = *m_settings.listOf(m_kind.file);
    const QString before = list.entry(slot);
    list.setEntry(slot, text);
    // The file is written whole: a refused text or a file that cannot be
    // had leaves the held list as it was, so that it still tells the truth.
    if (!m_settings.SaveSettingsFile(m_kind.file)) {
        list.setEntry(slot, before);
        return false;
    }
    lan::changeAnnouncer().announceUpdate(QString::fromUtf8(m_kind.announceKind),
                                          {QString::number(slot)});
    return true;
}

} // namespace kv::masters
