#pragma once

#include <QString>

namespace kv::lan {

// The messages of the send and receive errors, keyed by the Windows
// Sockets error code the network layer maps its errors to. A retry entry
// asks Yes/No and is tried again on Yes.
struct SocketErrorText {
    QString text;
    bool retry = false;
};

SocketErrorText sendErrorText(int code);
SocketErrorText receiveErrorText(int code);

} // namespace kv::lan
