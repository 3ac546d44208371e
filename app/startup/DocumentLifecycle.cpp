#include "app/startup/DocumentLifecycle.h"

#include "app/startup/AppGlobals.h"
#include "app/startup/CListeningSocket.h"
#include "common/DiskSpaceCheck.h"
#include "app/startup/RecordService.h"
#include "app/startup/StartupTexts.h"
#include "common/MessageGateway.h"

namespace kv::app {

RecordService::~RecordService() = default;

DocumentLifecycle::DocumentLifecycle(AppGlobals& globals, CListeningSocket& listener,
                                     const DiskSpaceCheck& diskSpace, RecordService& records,
                                     QString installationFile)
    : m_globals(globals)
    , m_listener(listener)
    , m_diskSpace(diskSpace)
    , m_records(records)
    , m_installationFile(std::move(installationFile))
{
}

bool DocumentLifecycle::OnNewDocument()
{
    if (!m_globals.isClient()) {
        if (!m_listener.listen(m_globals.port)) {
            showMessage(StartupTexts::ListenFailed.arg(m_globals.port)
                            .arg(m_listener.errorText(), m_installationFile),
                        MessageGateway::Icon::Critical);
            return false;
        }
        m_globals.computerName = QStringLiteral("Server");
    } else if (m_globals.computerName.isEmpty()) {
        // How a client joins the server belongs to the LAN sharing; until it
        // names itself there, the system's computer name keeps it apart.
        m_globals.computerName = m_globals.windowsComputerName;
    }
    if (m_nameSink)
        m_nameSink(m_globals.computerName);
    if (!m_diskSpace.CheckDiskSpaceForStart() || !m_records.OpenAllDatabases()) {
        m_listener.close();
        return false;
    }
    if (m_startCallerId && !m_startCallerId()) {
        m_records.CloseDatabases();
        m_listener.close();
        return false;
    }
    m_open = true;
    return true;
}

bool DocumentLifecycle::CanCloseFrame() const
{
    if (m_globals.isClient() || ClientCount() == 0)
        return true;
    return askYesNo(StartupTexts::ClientsConnected, true);
}

void DocumentLifecycle::OnCloseDocument()
{
    if (m_open && m_stopCallerId)
        m_stopCallerId();
    if (m_open)
        m_records.CloseDatabases();
    m_open = false;
    m_listener.close();
}

int DocumentLifecycle::ClientCount() const
{
    return m_globals.isClient() ? 0 : m_listener.ClientCount();
}

} // namespace kv::app
