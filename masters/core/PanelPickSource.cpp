#include "masters/core/PanelPickSource.h"

#include "common/Cp932.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsFileId.h"
#include "data/tables/DaoRecordsets.h"

namespace kv::masters {
namespace {

template <class Set, class RowOf>
std::vector<ItemRow> readRows(Set& set, const QString& filter, const QString& sort, int limit,
                              RowOf rowOf)
{
    std::vector<ItemRow> rows;
    if (!set.OpenWhere(filter, sort)) {
        kv::showMessage(set.lastError().description);
        return rows;
    }
    for (; !set.IsEOF() && int(rows.size()) < limit; set.MoveNext())
        rows.push_back(rowOf(set));
    return rows;
}

} // namespace

PanelPickSource::PanelPickSource(kv::data::CCarMaintenanceDoc& document) : m_document(document) {}

std::vector<ItemRow> PanelPickSource::addresses()
{
    CDaoJyuSet set(m_document.store().pickListConnection());
    return readRows(set, QString(), QStringLiteral("Furi, Jyu, ID"), kMaxAddresses,
                    [](const CDaoJyuSet& s) { return ItemRow{s.m_ID, s.m_Jyu, s.m_Furi}; });
}

std::vector<ItemRow> PanelPickSource::customerNames()
{
    CDaoKokNameSet set(m_document.store().pickListConnection());
    return readRows(set, QString(), QStringLiteral("KokFuri, KokName, ID"), kMaxNames,
                    [](const CDaoKokNameSet& s) {
                        return ItemRow{s.m_ID, s.m_KokName, s.m_KokFuri};
                    });
}

std::vector<ItemRow> PanelPickSource::transportOffices()
{
    kv::data::SettingsStore& settings = m_document.settings();
    const bool read = settings.LoadSettingsFile(kv::data::SettingsFileId::TransportOffices);
    std::vector<ItemRow> rows;
    for (int index = 0; index < kTransportOffices; ++index)
        rows.push_back({index + 1, read ? settings.transportOffices().entry(index) : QString(), {}});
    return rows;
}

QStringList PanelPickSource::makes()
{
    return m_document.settings().makes().entries().mid(1);
}

std::vector<ItemRow> PanelPickSource::models(int makeIndex)
{
    CDaoSyasyuSet set(m_document.store().pickListConnection());
    return readRows(set, QStringLiteral("SyameiNo = %1").arg(makeIndex + 1),
                    QStringLiteral("Syasyu, ID"), kMaxModels, [](const CDaoSyasyuSet& s) {
                        return ItemRow{s.m_ID, s.m_Syasyu, s.m_Syasyu};
                    });
}

QString PanelPickSource::appended(const QString& target, const QString& chosen, int maxBytes)
{
    // The panel's fields hold CP932 bytes: a character that does not fit
    // whole is left out, never cut in two.
    return kv::cp932::truncateToBytes(target + chosen, maxBytes);
}

QString PanelPickSource::officeName(const QString& chosen)
{
    return kv::cp932::truncateToBytes(chosen, kOfficeBytes);
}

} // namespace kv::masters
