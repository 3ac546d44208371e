#pragma once

#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "masters/core/DocumentItemStore.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <QSettings>

#include <memory>

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

    // Rows to be there before the document opens; "(code, 'text', 'ｱ', 0, 100), ...".
    void addItems(const QByteArray& values)
    {
        data.sqlOnFile(QStringLiteral("011.mdb"),
                       "INSERT INTO Meisai (MeisaiCode, Meisai, Furi, Kubun, Tanka) VALUES "
                           + values + ";");
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

    // The other computer of the network: a separate process on the folder.
    int peer(const QStringList& arguments, QString* output = nullptr)
    {
        QProcess process;
        process.start(buildDir() + QStringLiteral("/tests/items_peer"), arguments);
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
