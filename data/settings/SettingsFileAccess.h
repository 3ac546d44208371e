#pragma once

#include "common/platform/SharedFile.h"
#include "common/platform/RetryClock.h"

#include <QByteArray>
#include <QString>

namespace kv::data {

// What happens when another computer holds a settings file open.
enum class RetryRule {
    None,         // fail at once
    UntilSuccess, // try again once a second for as long as it takes
    GiveUp,       // try again once a second, give up silently after the timeout
};

// Reads and writes a settings file whole at offset 0 under the sharing rules
// of the settings files, and shows the file error text when an open fails.
class SettingsFileAccess {
public:
    enum class Outcome {
        Done,
        Missing, // reading a file that does not exist, when asked to stay quiet
        GaveUp,  // the file stayed busy for the whole timeout (no message)
        Failed,  // message shown
    };

    SettingsFileAccess(RetryClock& clock, const RetryTiming& timing);

    // shareAll: other readers and writers allowed; otherwise writers are
    // refused. At most maxBytes are read.
    Outcome read(const QString& path, qsizetype maxBytes, bool shareAll, RetryRule rule,
                 QByteArray* bytes, bool quietWhenMissing = false);
    // Creates the file if missing and never truncates it.
    Outcome write(const QString& path, const QByteArray& bytes, bool shareAll, RetryRule rule);

private:
    Outcome open(SharedFile& file, const QString& path, unsigned mode, RetryRule rule);

    RetryClock* m_clock;
    RetryTiming m_timing;
};

} // namespace kv::data
