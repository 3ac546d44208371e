#include "common/LogEvent.h"

namespace kv {

LogEvent::LogEvent(const QString& line)
    : QEvent(static_cast<QEvent::Type>(KvLogEventType))
    , m_line(line)
{
}

LogEvent::~LogEvent() = default;

} // namespace kv
