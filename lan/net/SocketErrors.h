#pragma once

#include <QAbstractSocket>
#include <QString>

namespace kv::lan {

// The Windows Sockets error code the message tables are keyed by, for an
// error of our sockets; 0 when the peer closed the connection.
int windowsSocketCode(QAbstractSocket::SocketError error);

// The table's text for a receive error, or the closed-connection text.
QString receiveErrorMessage(QAbstractSocket::SocketError error);

} // namespace kv::lan
