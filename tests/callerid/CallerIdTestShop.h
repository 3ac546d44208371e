#pragma once

#include "data/document/DocumentTestFolder.h"
#include "support/CustomerBuilder.h"

#include "callerid/core/CallInfoStore.h"
#include "callerid/core/CallerLookup.h"

#include <memory>

namespace kv::test {

// A shop's data folder with a few customers, the document on it and the
// caller-ID parts that work on it: the lookup and the call information.
struct CallerIdTestShop {
    DocumentTestFolder folder;
    std::unique_ptr<data::CCarMaintenanceDoc> doc;
    std::unique_ptr<callerid::CallerLookup> lookup;
    std::unique_ptr<callerid::CallInfoStore> calls;

    CallerIdTestShop()
    {
        doc = folder.open();
        lookup = std::make_unique<callerid::CallerLookup>(doc->store().mainConnection());
        calls = std::make_unique<callerid::CallInfoStore>(doc->settings());
        calls->setTiming({10, 200});
    }

    // A customer with the owner's texts a call keeps; Tel2 optional.
    void customer(int code, const QString& name, const QString& tel1, const QString& tel2 = {})
    {
        CustomerBuilder(code)
            .name(name)
            .owner(name, QStringLiteral("様方"))
            .reading(QStringLiteral("ｶﾅ"))
            .phone(tel1)
            .set(&CDaoKokSet::m_Tel2, tel2)
            .set(&CDaoKokSet::m_OwnerJyu1, QStringLiteral("東京都葛飾区"))
            .insertInto(doc->store());
    }

    // "018.dat" as it is on the disk.
    data::CallInfoFile callFile() const
    {
        return data::CallInfoFile::fromBytes(folder.folder.read(QStringLiteral("018.dat")));
    }
};

} // namespace kv::test
