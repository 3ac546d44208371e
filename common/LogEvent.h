#pragma once

#include "common/KVCommon.h"
#include "common/KVCommonExport.h"

#include <QEvent>
#include <QString>

namespace kv {

// Sent by AddLog to the window it names, once the line is in the log file.
// type() is KvLogEventType; line() is the line as written, CR LF included.
class KVCOMMON_EXPORT LogEvent : public QEvent {
public:
    explicit LogEvent(const QString& line);
    ~LogEvent() override;

    const QString& line() const { return m_line; }

private:
    QString m_line;
};

} // namespace kv
