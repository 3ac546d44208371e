#include "masters/core/SetStore.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"
#include "masters/core/ItemRules.h"

namespace kv::masters {
namespace {

const QString kSetDatabase = QStringLiteral("012.mdb");

QString codeFilter(int code)
{
    return QStringLiteral("SetCode = %1").arg(code);
}

SetHeader headerOf(const kv::data::MeisaiSetHeadRow& row)
{
    return {row.m_SetCode, row.m_SetName, row.m_Furi};
}

kv::data::SyaJnlRow slipLineOf(const kv::data::MeisaiSetJnlRow& row)
{
    kv::data::SyaJnlRow line;
    line.m_LineNo = row.m_LineNo;
    line.m_Meisai = row.m_Meisai;
    line.m_Kubun = row.m_Kubun;
    line.m_Sisu = row.m_Sisu;
    line.m_Suuryo = row.m_Suuryo;
    line.m_Tanka = row.m_Tanka;
    line.m_Kingaku = row.m_Kingaku;
    line.m_Koutin = row.m_Koutin;
    return line;
}

template <class Set>
bool deleteAll(Set& set)
{
    while (!set.IsEOF()) {
        if (!set.Delete() || !set.MoveNext())
            return false;
    }
    return true;
}

} // namespace

bool SetHeader::isPlaceholder() const
{
    return name == ItemRules::placeholderText();
}

SetStore::SetStore(kv::data::CCarMaintenanceDoc& document) : m_document(document) {}

bool SetStore::failed(const QString& description) const
{
    if (!description.isEmpty())
        kv::showMessage(description);
    return false;
}

std::optional<std::vector<SetHeader>> SetStore::readHeaders()
{
    CDaoMeisaiSetHeadSet set(m_document.store().mainConnection());
    if (!set.OpenWhere(QString(), QStringLiteral("SetCode"))) {
        failed(set.lastError().description);
        return std::nullopt;
    }
    std::vector<SetHeader> headers;
    for (; !set.IsEOF(); set.MoveNext())
        headers.push_back(headerOf(set.row()));
    if (set.lastError()) {
        failed(set.lastError().description);
        return std::nullopt;
    }
    return headers;
}

std::optional<SetHeader> SetStore::findHeader(int code)
{
    if (code <= 0)
        return std::nullopt;
    CDaoMeisaiSetHeadSet set(m_document.store().mainConnection());
    if (!set.OpenWhere(codeFilter(code))) {
        failed(set.lastError().description);
        return std::nullopt;
    }
    if (set.GetRecordCount() == 0)
        return std::nullopt;
    return headerOf(set.row());
}

std::optional<std::vector<kv::data::SyaJnlRow>> SetStore::readLines(int code)
{
    CDaoMeisaiSetJnlSet set(m_document.store().mainConnection());
    if (!set.OpenWhere(codeFilter(code), QStringLiteral("SetCode, LineNo"))) {
        failed(set.lastError().description);
        return std::nullopt;
    }
    std::vector<kv::data::SyaJnlRow> lines;
    for (; !set.IsEOF(); set.MoveNext())
        lines.push_back(slipLineOf(set.row()));
    return lines;
}

std::optional<std::vector<kv::data::SyaJnlRow>> SetStore::linesOfSet(int code)
{
    const auto header = findHeader(code);
    if (!header || header->isPlaceholder())
        return std::nullopt;
    return readLines(code);
}

int SetStore::countRealSets()
{
    const auto headers = readHeaders();
    if (!headers)
        return -1;
    return int(std::count_if(headers->begin(), headers->end(),
                             [](const SetHeader& h) { return !h.isPlaceholder(); }));
}

int SetStore::reserveCode()
{
    return m_document.ReserveSetCode();
}

bool SetStore::checkDiskSpaceForWrite()
{
    return m_document.checkDiskSpaceForWrite();
}

bool SetStore::writePlaceholder(int code)
{
    return writeSet({code, ItemRules::placeholderText(), QString()}, {});
}

bool SetStore::removePlaceholder(int code)
{
    // Only a placeholder is ours to drop: another window may have recorded
    // the code as a real set in the meantime.
    const auto header = findHeader(code);
    if (!header || !header->isPlaceholder())
        return true;
    return removeSet(code);
}

bool SetStore::writeSet(const SetHeader& header, const std::vector<kv::data::SyaJnlRow>& lines)
{
    kv::data::Connection& connection = m_document.store().mainConnection();
    kv::data::UnitOfWork work(connection);
    if (!work.isActive())
        return failed(work.lastError().description);
    CDaoMeisaiSetHeadSet headers(connection);
    CDaoMeisaiSetJnlSet stored(connection);
    const auto written = [&]() -> QString {
        if (!headers.OpenWhere(codeFilter(header.code)))
            return headers.lastError().description;
        if (!(headers.GetRecordCount() > 0 ? headers.Edit() : headers.AddNew()))
            return headers.lastError().description;
        headers.m_SetCode = header.code;
        headers.m_SetName = header.name;
        headers.m_Furi = header.reading;
        if (!headers.Update()) {
            headers.CancelUpdate();
            return headers.lastError().description;
        }
        if (!stored.OpenWhere(codeFilter(header.code)) || !deleteAll(stored))
            return stored.lastError().description;
        for (const kv::data::SyaJnlRow& line : lines) {
            if (!stored.AddNew())
                return stored.lastError().description;
            stored.m_SetCode = header.code;
            stored.m_LineNo = line.m_LineNo;
            stored.m_Meisai = line.m_Meisai;
            stored.m_Kubun = line.m_Kubun;
            stored.m_Sisu = line.m_Sisu;
            stored.m_Suuryo = line.m_Suuryo;
            stored.m_Tanka = line.m_Tanka;
            stored.m_Kingaku = line.m_Kingaku;
            stored.m_Koutin = line.m_Koutin;
            if (!stored.Update()) {
                stored.CancelUpdate();
                return stored.lastError().description;
            }
        }
        return {};
    };
    return finish(work, written());
}

bool SetStore::removeSet(int code)
{
    kv::data::Connection& connection = m_document.store().mainConnection();
    kv::data::UnitOfWork work(connection);
    if (!work.isActive())
        return failed(work.lastError().description);
    CDaoMeisaiSetJnlSet lines(connection);
    CDaoMeisaiSetHeadSet headers(connection);
    QString error;
    if (!lines.OpenWhere(codeFilter(code), QStringLiteral("SetCode, LineNo")) || !deleteAll(lines))
        error = lines.lastError().description;
    else if (!headers.OpenWhere(codeFilter(code)) || !deleteAll(headers))
        error = headers.lastError().description;
    return finish(work, error);
}

bool SetStore::finish(kv::data::UnitOfWork& work, QString error)
{
    if (error.isEmpty() && work.commit())
        return true;
    if (work.lastError())
        error = work.lastError().description;
    // Nothing of the set changed: the shared view reads it as it was.
    work.rollback();
    m_document.setHeaders().Requery();
    return failed(error.isEmpty() ? QStringLiteral("012.mdb") : error);
}

bool SetStore::claimLock(int code)
{
    return m_document.ShareLock(kSetDatabase, m_document.computerName(), code,
                                kv::data::ShareLockAction::Claim);
}

bool SetStore::releaseLock()
{
    return m_document.ShareLock(kSetDatabase, m_document.computerName(), 0,
                                kv::data::ShareLockAction::Release);
}

int SetStore::counter(int action)
{
    return m_document.RecordCounter(kSetDatabase, action);
}

bool SetStore::networkInUse() const
{
    if (m_networkInUse)
        return m_networkInUse();
    return m_document.config().lanRole != 0;
}

bool SetStore::resetHeaderView(ItemOrder order)
{
    CDaoMeisaiSetHeadSet& set = m_document.setHeaders();
    set.SetFilter(QString());
    set.SetSort(order == ItemOrder::Code ? QStringLiteral("SetCode")
                                         : QStringLiteral("Furi, SetName, SetCode"));
    return set.Requery() || failed(set.lastError().description);
}

} // namespace kv::masters
