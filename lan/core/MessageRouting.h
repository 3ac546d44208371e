#pragma once

#include "lan/core/LanMessage.h"

namespace kv::lan {

// What a computer does with a message it received, by its command.
namespace MessageRouting {

enum class ServerStep {
    Ignore,         // empty, or a command the server does not take
    AnswerDataPath, // "GetSvrDataDirectoryPath": reply to the sender
    CloseSender,    // "Close": the sender leaves
    ActAndRelay,    // a change: the other clients get it, the server re-reads
    Join,           // "Join": nothing besides the sender becoming a client
};

enum class ClientStep {
    Ignore,
    TakeDataPath,  // "PutSvrDataDirectoryPath"
    ServerClosing, // "Close": the server ends the connection
    Act,           // a change or a call: re-read
};

ServerStep serverStep(const LanMessage& message);
ClientStep clientStep(const LanMessage& message);

// The server's reply to "GetSvrDataDirectoryPath" from the client at
// address: the path, or empty while the server's data is being deleted
// or backed up.
QString dataPathReply(const QString& clientAddress, const QString& path);
// The message a computer sends as it leaves: receiver's address, own
// computer name, "Close,".
QString closeMessage(const QString& receiver, const QString& computerName);
// What a client sends first on each connection to its server.
QString joinMessage(const QString& server, const QString& computerName);

} // namespace MessageRouting

} // namespace kv::lan
