#pragma once

#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "masters/core/DocumentItemStore.h"
#include "support/ItemBuilder.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QProcess>
#include <QSettings>

#include <memory>
#include <vector>

namespace kv::test {

// A fresh data folder with the document open on it as the server, the item
// store over it, a recording announcer and a profile of its own.
struct ItemTestFolder {
    DocumentTestFolder data;
    TempFolder profileFolder;
    kv::lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<kv::masters::DocumentItemStore> store;

    ItemTestFolder()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profileFolder.path());
    }

    // Items to be there before the document opens.
    void addItems(const std::vector<ItemBuilder>& items)
    {
        kv::data::DataStore store;
        ASSERT_TRUE(store.open(data.folder.path()));
        for (const ItemBuilder& item : items)
            item.insertInto(store);
    }

    kv::data::CCarMaintenanceDoc& open()
    {
        doc = data.open();
        store = std::make_unique<kv::masters::DocumentItemStore>(*doc);
        return *doc;
    }

    qint64 countWhere(const QByteArray& condition)
    {
        return DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f011.Meisai WHERE "
                                                    + condition);
    }
    qint64 placeholders() { return countWhere("Meisai = '新規作成中'"); }

    // The other computer of the network: a separate process on the folder
    // (the test peer's "items" work).
    int peer(const QStringList& arguments, QString* output = nullptr)
    {
        QProcess process;
        process.start(peerProgram(), QStringList{QStringLiteral("items")} + arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromLatin1(process.readAllStandardOutput()).trimmed();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    // ShareLock on "011.mdb" as computer; true when the lock table said yes.
    bool peerLock(const QString& computer, int action, int code)
    {
        return peer({QStringLiteral("lock"), data.folder.path(), computer, QString::number(action),
                     QString::number(code)})
            == 0;
    }
};

} // namespace kv::test
