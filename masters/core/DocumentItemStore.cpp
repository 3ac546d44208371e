#include "masters/core/DocumentItemStore.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"

namespace kv::masters {
namespace {

const QString kItemDatabase = QStringLiteral("011.mdb");
const QString kItemSort = QStringLiteral("Furi, Meisai, MeisaiCode");

} // namespace

ItemStore::~ItemStore() = default;

DocumentItemStore::DocumentItemStore(kv::data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

bool DocumentItemStore::failed() const
{
    const kv::data::EngineError& error = m_document.items().lastError();
    if (error)
        kv::showMessage(error.description);
    return false;
}

bool DocumentItemStore::requery()
{
    return m_document.items().Requery() || failed();
}

ItemRecord DocumentItemStore::current() const
{
    const CDaoMeisaiSet& set = m_document.items();
    return {set.m_MeisaiCode, set.m_Meisai, set.m_Furi, set.m_Kubun, set.m_Tanka};
}

std::optional<std::vector<ItemRecord>> DocumentItemStore::readAll()
{
    CDaoMeisaiSet& set = m_document.items();
    set.SetFilter(QString());
    if (!requery())
        return std::nullopt;
    std::vector<ItemRecord> items;
    items.reserve(size_t(set.GetRecordCount()));
    if (set.GetRecordCount() == 0)
        return items;
    bool more = set.MoveFirst();
    for (; more && !set.IsEOF(); more = set.MoveNext()) {
        if (!set.IsDeleted())
            items.push_back(current());
    }
    // Moving past the last row is the loop's end, not a failure.
    if (!more && !set.IsEOF() && set.lastError()) {
        failed();
        return std::nullopt;
    }
    return items;
}

std::optional<ItemRecord> DocumentItemStore::find(int code)
{
    if (code <= 0 || !requery() || !m_document.FindItem(code))
        return std::nullopt;
    return current();
}

int DocumentItemStore::count()
{
    return m_document.CountItems();
}

int DocumentItemStore::reserveCode()
{
    return m_document.ReserveItemCode();
}

bool DocumentItemStore::checkDiskSpaceForWrite()
{
    const kv::data::DocumentConfig& config = m_document.config();
    if (config.checkDiskSpaceForWrite)
        return config.checkDiskSpaceForWrite();
    return kv::DiskSpaceCheck(config.dataFolder, {}, false,
                              config.freeBytes ? config.freeBytes : kv::DiskSpaceCheck::systemQuery())
        .CheckDiskSpaceForWrite();
}

bool DocumentItemStore::write(const ItemRecord& item)
{
    CDaoMeisaiSet& set = m_document.items();
    const bool exists = find(item.code).has_value();
    if (!(exists ? set.Edit() : set.AddNew()))
        return failed();
    set.m_MeisaiCode = item.code;
    set.m_Meisai = item.text;
    set.m_Furi = item.reading;
    set.m_Kubun = item.category;
    set.m_Tanka = item.price;
    if (!set.Update()) {
        failed();
        set.CancelUpdate();
        return false;
    }
    return true;
}

bool DocumentItemStore::remove(int code)
{
    if (!find(code))
        return true;
    return m_document.items().Delete() || failed();
}

bool DocumentItemStore::claimLock(int code)
{
    return m_document.ShareLock(kItemDatabase, m_document.computerName(), code,
                                kv::data::ShareLockAction::Claim);
}

void DocumentItemStore::releaseLock()
{
    m_document.ShareLock(kItemDatabase, m_document.computerName(), 0,
                         kv::data::ShareLockAction::Release);
}

int DocumentItemStore::counter(int action)
{
    return m_document.RecordCounter(kItemDatabase, action);
}

bool DocumentItemStore::networkInUse() const
{
    if (m_networkInUse)
        return m_networkInUse();
    return m_document.config().lanRole != 0;
}

bool DocumentItemStore::resetItemView()
{
    CDaoMeisaiSet& set = m_document.items();
    set.SetFilter(QString());
    set.SetSort(kItemSort);
    return requery();
}

} // namespace kv::masters
