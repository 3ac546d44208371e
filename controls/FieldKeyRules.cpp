#include "controls/FieldKeyRules.h"

#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace kv {

bool FieldKeyRules::handleKeyPress(QWidget* control, QKeyEvent* event, const MoveFocus& moveFocus)
{
    // Ctrl and Alt combinations belong to shortcuts and the control itself.
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier)
        return false;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);

    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        moveFocus(!shift);
        event->accept();
        return true;
    case Qt::Key_Backtab:
        moveFocus(false);
        event->accept();
        return true;
    case Qt::Key_Escape:
        if (shift)
            return false;
        if (auto* dialog = qobject_cast<QDialog*>(control->window())) {
            dialog->reject();
            event->accept();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool FieldKeyRules::moveFocusWithin(QWidget* form, bool next)
{
    QWidget* current = form->focusWidget();
    if (!current || !form->isAncestorOf(current))
        current = form;
    // The window's focus chain is a ring; the form's tab stops lie on it.
    QWidget* candidate = current;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate != form && form->isAncestorOf(candidate)
            && (candidate->focusPolicy() & Qt::TabFocus) && candidate->isVisibleTo(form)
            && candidate->isEnabledTo(form->window()) && candidate->focusProxy() == nullptr) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != current);
    return false;
}

bool FieldKeyRules::keepsKey(const QKeyEvent& event)
{
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
          QKeySequence::Redo, QKeySequence::SelectAll}) {
        if (event.matches(editing))
            return true;
    }
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier)
        return false;
    const int key = event.key();
    return key < Qt::Key_F1 || key > Qt::Key_F35;
}

} // namespace kv
