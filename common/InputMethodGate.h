#pragma once

#include <QObject>

class QWidget;

namespace kv {

// Opens and closes a widget's input method. Text widgets such as QLineEdit
// tell the platform's input method "enabled" whatever their input-method
// attribute says, so the gate, installed on the widget, answers "disabled"
// while the attribute is off. Opening only undoes a closing done here: a
// field that turned its input method off itself (read-only) stays closed.
class InputMethodGate final : public QObject {
    Q_OBJECT

public:
    static void setOpen(QWidget& widget, bool open);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit InputMethodGate(QWidget& widget);
    static InputMethodGate& of(QWidget& widget);

    bool m_closedHere = false;
    bool m_enabledBeforeClosing = true;
};

} // namespace kv
