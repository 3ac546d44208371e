#include "lan/core/MessageRouting.h"

#include "lan/core/LanTexts.h"

namespace kv::lan::MessageRouting {
namespace {

// The commands that say shared data changed.
bool isChange(const QString& command)
{
    return command == LanTexts::Update || command == LanTexts::Delete
           || command == LanTexts::KokRequery || command == LanTexts::KokCarRequery;
}

} // namespace

ServerStep serverStep(const LanMessage& message)
{
    if (message.isEmpty())
        return ServerStep::Ignore;
    const QString command = message.command();
    if (command == LanTexts::GetDataPath)
        return ServerStep::AnswerDataPath;
    if (command == LanTexts::Close)
        return ServerStep::CloseSender;
    if (command == LanTexts::Join)
        return ServerStep::Join;
    if (isChange(command))
        return ServerStep::ActAndRelay;
    return ServerStep::Ignore;
}

ClientStep clientStep(const LanMessage& message)
{
    if (message.isEmpty())
        return ClientStep::Ignore;
    const QString command = message.command();
    if (command == LanTexts::PutDataPath)
        return ClientStep::TakeDataPath;
    if (command == LanTexts::Close)
        return ClientStep::ServerClosing;
    if (isChange(command) || command == LanTexts::TelCallInfo)
        return ClientStep::Act;
    return ClientStep::Ignore;
}

QString dataPathReply(const QString& clientAddress, const QString& path)
{
    return LanMessage::build(clientAddress, LanTexts::ServerName,
                             LanTexts::PutDataPath + QLatin1Char(',') + path);
}

QString closeMessage(const QString& receiver, const QString& computerName)
{
    return LanMessage::build(receiver, computerName, LanTexts::Close + QLatin1Char(','));
}

QString joinMessage(const QString& server, const QString& computerName)
{
    return LanMessage::build(server, computerName, LanTexts::Join);
}

} // namespace kv::lan::MessageRouting
