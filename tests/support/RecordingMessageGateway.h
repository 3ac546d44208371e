#pragma once

#include "common/MessageGateway.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace kv::test {

// Records every message and answers questions from a script, so a test can
// check the exact texts a user would have seen. Installed for its lifetime.
class RecordingMessageGateway final : public MessageGateway {
public:
    RecordingMessageGateway();
    ~RecordingMessageGateway() override;

    void showMessage(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text, bool defaultNo, Icon icon) override;

    // Answers for the next questions, in order; an unscripted question is
    // answered with its default and recorded as such.
    void answerNext(bool yes) { m_answers.push_back(yes); }

    const QStringList& messages() const { return m_messages; }
    const QStringList& questions() const { return m_questions; }
    int unscriptedQuestions() const { return m_unscripted; }
    void clear();

private:
    MessageGateway* m_previous = nullptr;
    QStringList m_messages;
    QStringList m_questions;
    std::deque<bool> m_answers;
    int m_unscripted = 0;
};

} // namespace kv::test
