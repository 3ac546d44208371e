#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>
#include <functional>

class QWidget;

namespace kv::test {

// Answers modal dialogs that the code under test opens with exec(): each
// answer is given from a zero-time timer, which first runs inside the
// dialog's own event loop (a dialog opened through a queued call is waited
// for a second). The test fails when an answer finds no modal
// dialog to answer, or when an answer is still waiting as the helper ends;
// a modal dialog that opens while no answer waits fails the test and is
// rejected, so that a fault shows as a failure rather than a hung test.
class ModalDialogHelper {
public:
    using Answer = std::function<void(QWidget* dialog)>;

    ModalDialogHelper();
    ~ModalDialogHelper();
    ModalDialogHelper(const ModalDialogHelper&) = delete;
    ModalDialogHelper& operator=(const ModalDialogHelper&) = delete;

    // Queues an answer for the next modal dialog.
    void answerNext(Answer answer);
    // Queues a click on the message box button; the box's caption and text
    // are recorded.
    void clickNextMessageBox(QMessageBox::StandardButton button);
    // Queues Enter on whatever button the box has as its default, to check
    // which default the box was given.
    void pressEnterOnNextMessageBox();

    int answered() const { return m_answered; }
    bool idle() const { return m_pending.empty(); }
    // Captions and texts of the message boxes answered so far.
    const QStringList& captions() const { return m_captions; }
    const QStringList& texts() const { return m_texts; }
    // The default button of the message boxes answered so far.
    const QList<QMessageBox::StandardButton>& defaultButtons() const { return m_defaults; }

private:
    static constexpr int MaxMisses = 50;
    static constexpr int RetryDelayMs = 20;

    void arm(int delayMs = 0);
    void deliver();
    void rejectUnexpected();
    QMessageBox* recordMessageBox(QWidget* dialog);

    std::deque<Answer> m_pending;
    bool m_armed = false;
    int m_answered = 0;
    int m_misses = 0;
    QStringList m_captions;
    QStringList m_texts;
    QList<QMessageBox::StandardButton> m_defaults;
    QTimer m_watch;
    // Lets a timer that fires after the helper ended see that it did.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace kv::test
