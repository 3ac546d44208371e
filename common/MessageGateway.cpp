#include "common/MessageGateway.h"


#include <atomic>
#include <cstdio>

namespace kv {
namespace {

class StderrGateway final : public MessageGateway {
public:
    void showMessage(const QString& text, Icon) override
    {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    bool askYesNo(const QString& text, bool, Icon) override
    {
        std::fprintf(stderr, "%s [No]\n", text.toLocal8Bit().constData());
        return false;
    }
};

StderrGateway fallbackGateway;
std::atomic<MessageGateway*> current{nullptr};

} // namespace

MessageGateway::~MessageGateway() = default;

void installMessageGateway(MessageGateway* gateway)
{
    current.store(gateway);
}

MessageGateway& messageGateway()
{
    MessageGateway* g = current.load();
    return g ? *g : fallbackGateway;
}

void showMessage(const QString& text, MessageGateway::Icon icon)
{
    messageGateway().showMessage(text, icon);
}

bool askYesNo(const QString& text, bool defaultNo, MessageGateway::Icon icon)
{
    return messageGateway().askYesNo(text, defaultNo, icon);
}

} // namespace kv
