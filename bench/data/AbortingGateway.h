#pragma once

#include "common/MessageGateway.h"

#include <cstdio>
#include <cstdlib>

namespace kv::bench {

// A message during a timed step means the step failed and the numbers
// would measure the failure path: the run ends there, saying why.
class AbortingGateway final : public kv::MessageGateway {
public:
    void showMessage(const QString& text, Icon) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", text.toUtf8().constData());
        std::abort();
    }
    bool askYesNo(const QString& text, bool, Icon) override
    {
        showMessage(text, Icon::Question);
        return false;
    }
};

} // namespace kv::bench
