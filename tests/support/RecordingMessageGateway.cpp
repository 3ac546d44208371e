#include "support/RecordingMessageGateway.h"

namespace kv::test {

RecordingMessageGateway::RecordingMessageGateway()
    : m_previous(&messageGateway())
{
    installMessageGateway(this);
}

RecordingMessageGateway::~RecordingMessageGateway()
{
    installMessageGateway(nullptr);
}

void RecordingMessageGateway::showMessage(const QString& text, Icon)
{
    m_messages << text;
}

bool RecordingMessageGateway::askYesNo(const QString& text, bool defaultNo, Icon)
{
    m_questions << text;
    if (m_answers.empty()) {
        ++m_unscripted;
        return !defaultNo;
    }
    bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingMessageGateway::clear()
{
    m_messages.clear();
    m_questions.clear();
    m_answers.clear();
    m_unscripted = 0;
}

} // namespace kv::test
