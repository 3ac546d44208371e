#include "support/ModalDialogHelper.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace kv::test {

ModalDialogHelper::ModalDialogHelper()
{
    m_watch.setInterval(200);
    QObject::connect(&m_watch, &QTimer::timeout, [this] { rejectUnexpected(); });
    m_watch.start();
}

void ModalDialogHelper::rejectUnexpected()
{
    if (!m_pending.empty())
        return;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->metaObject()->className() << " "
                      << dialog->windowTitle().toStdString();
        dialog->reject();
    }
}

ModalDialogHelper::~ModalDialogHelper()
{
    *m_alive = false;
    if (!m_pending.empty())
        ADD_FAILURE() << m_pending.size() << " modal dialog(s) expected but never opened";
}

void ModalDialogHelper::answerNext(Answer answer)
{
    m_pending.push_back(std::move(answer));
    arm();
}

void ModalDialogHelper::arm(int delayMs)
{
    if (m_armed || m_pending.empty())
        return;
    m_armed = true;
    std::weak_ptr<bool> alive = m_alive;
    QTimer::singleShot(delayMs, qApp, [this, alive] {
        if (auto living = alive.lock(); living && *living)
            deliver();
    });
}

void ModalDialogHelper::deliver()
{
    m_armed = false;
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        // A dialog opened through a queued call (a report from a worker
        // thread) may come a moment later; after that the code under test
        // did not ask what the test expected it to ask.
        if (++m_misses <= MaxMisses) {
            arm(RetryDelayMs);
            return;
        }
        ADD_FAILURE() << "no modal dialog to answer";
        m_misses = 0;
        m_pending.pop_front();
        arm();
        return;
    }
    m_misses = 0;
    Answer answer = std::move(m_pending.front());
    m_pending.pop_front();
    ++m_answered;
    answer(dialog);
    // The next answer waits for the next dialog's event loop.
    arm();
}

QMessageBox* ModalDialogHelper::recordMessageBox(QWidget* dialog)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (!box) {
        ADD_FAILURE() << "the modal dialog is no message box: "
                      << dialog->metaObject()->className();
        return nullptr;
    }
    m_captions << box->windowTitle();
    m_texts << box->text();
    QAbstractButton* defaultButton = box->defaultButton();
    m_defaults << (defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton);
    return box;
}

void ModalDialogHelper::clickNextMessageBox(QMessageBox::StandardButton button)
{
    answerNext([this, button](QWidget* dialog) {
        QMessageBox* box = recordMessageBox(dialog);
        if (!box)
            return;
        QAbstractButton* target = box->button(button);
        if (!target) {
            ADD_FAILURE() << "the message box has no such button";
            box->reject();
            return;
        }
        target->click();
    });
}

void ModalDialogHelper::pressEnterOnNextMessageBox()
{
    answerNext([this](QWidget* dialog) {
        if (QMessageBox* box = recordMessageBox(dialog))
            QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace kv::test
