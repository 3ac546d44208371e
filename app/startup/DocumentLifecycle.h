#pragma once

#include <QString>

#include <functional>

namespace kv {
class DiskSpaceCheck;
}

namespace kv::app {

struct AppGlobals;
class CListeningSocket;
class RecordService;

// Creation and closing of the one document: the LAN listener on the server,
// this computer's name in the lock tables, the free-space check and the
// databases; on closing the clients' confirmation and the databases again.
class DocumentLifecycle {
public:
    DocumentLifecycle(AppGlobals& globals, CListeningSocket& listener,
                      const DiskSpaceCheck& diskSpace, RecordService& records,
                      QString installationFile);

    // False after a message: the program does not start.
    bool OnNewDocument();
    // On the server with clients connected the user must confirm.
    bool CanCloseFrame() const;
    void OnCloseDocument();

    bool isOpen() const { return m_open; }
    // Told the computer name once document creation has settled it.
    void setComputerNameSink(std::function<void(const QString&)> sink) { m_nameSink = std::move(sink); }
    int ClientCount() const;
    // Caller ID, started once the databases are open (false: the program
    // does not start) and stopped first when the document closes.
    void setCallerId(std::function<bool()> start, std::function<void()> stop)
    {
        m_startCallerId = std::move(start);
        m_stopCallerId = std::move(stop);
    }

private:
    AppGlobals& m_globals;
    CListeningSocket& m_listener;
    const DiskSpaceCheck& m_diskSpace;
    RecordService& m_records;
    QString m_installationFile;
    std::function<void(const QString&)> m_nameSink;
    std::function<bool()> m_startCallerId;
    std::function<void()> m_stopCallerId;
    bool m_open = false;
};

} // namespace kv::app
