#pragma once

#include "records/PanelField.h"

#include <QString>

namespace kv::records {

// What a record flow tells the window: whether it went through, and if not
// the message to show (empty when the record service has shown its own)
// and the field to put the focus on (Count for none).
struct RecordingOutcome {
    bool done = true;
    QString message;
    PanelField focus = PanelField::Count;

    static RecordingOutcome success() { return {}; }
    static RecordingOutcome refused(QString message = {}, PanelField focus = PanelField::Count)
    {
        return {false, std::move(message), focus};
    }
};

} // namespace kv::records
