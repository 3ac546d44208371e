#pragma once

#include "common/MessageGateway.h"

#include <QString>

namespace kv {

// The program's own message boxes: modal, over the active window, captioned
// with the program title. Messages have an OK button only; questions Yes
// and No with the default the caller asks for (Esc answers No). Called from
// a worker thread, the box opens on the user-interface thread and the
// caller waits for the answer.
class MessageBoxGateway final : public MessageGateway {
public:
    static QString programTitle();

    explicit MessageBoxGateway(QString caption = programTitle());

    void showMessage(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text, bool defaultNo, Icon icon) override;

private:
    QString m_caption;
};

} // namespace kv
