#pragma once

#include "common/KVCommonExport.h"

#include <QString>

namespace kv {

// Every message box and Yes/No question of the system passes through here, so
// that code without widgets can report and tests can answer and record.
class KVCOMMON_EXPORT MessageGateway {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~MessageGateway();
    // A modal message with an OK button only.
    virtual void showMessage(const QString& text, Icon icon) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text, bool defaultNo, Icon icon) = 0;
};

// Installs the gateway used from now on (not owned); nullptr restores the
// fallback, which writes to stderr and answers No.
KVCOMMON_EXPORT void installMessageGateway(MessageGateway* gateway);
KVCOMMON_EXPORT MessageGateway& messageGateway();

// Shorthands for the usual cases.
KVCOMMON_EXPORT void showMessage(const QString& text,
                                 MessageGateway::Icon icon = MessageGateway::Icon::Warning);
KVCOMMON_EXPORT bool askYesNo(const QString& text, bool defaultNo = true,
                              MessageGateway::Icon icon = MessageGateway::Icon::Question);

} // namespace kv
