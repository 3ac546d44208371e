#pragma once

#include "masters/core/ItemStore.h"

#include <functional>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {

// The item store of the running program: the document's item recordset,
// its code reservation, the "011.mdb" lock table and the item counter.
class DocumentItemStore final : public ItemStore {
public:
    explicit DocumentItemStore(kv::data::CCarMaintenanceDoc& document);

    // Whether this computer shares the data with others right now (a client,
    // or a server with clients); without it only a client counts.
    void setNetworkInUse(std::function<bool()> networkInUse)
    {
        m_networkInUse = std::move(networkInUse);
    }

    std::optional<std::vector<ItemRecord>> readAll() override;
    std::optional<ItemRecord> find(int code) override;
    int count() override;
    int reserveCode() override;
    bool checkDiskSpaceForWrite() override;
    bool write(const ItemRecord& item) override;
    bool remove(int code) override;
    bool claimLock(int code) override;
    void releaseLock() override;
    int counter(int action) override;
    bool networkInUse() const override;
    bool resetItemView() override;

private:
    // Other computers' new rows join the keyset only on a re-read.
    bool requery();
    ItemRecord current() const;
    bool failed() const;

    kv::data::CCarMaintenanceDoc& m_document;
    std::function<bool()> m_networkInUse;
};

} // namespace kv::masters
