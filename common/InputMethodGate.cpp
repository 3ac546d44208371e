#include "common/InputMethodGate.h"

#include <QInputMethodQueryEvent>
#include <QWidget>

namespace kv {

InputMethodGate::InputMethodGate(QWidget& widget)
    : QObject(&widget)
{
    widget.installEventFilter(this);
}

InputMethodGate& InputMethodGate::of(QWidget& widget)
{
    auto* gate = widget.findChild<InputMethodGate*>(QString(), Qt::FindDirectChildrenOnly);
    return gate ? *gate : *new InputMethodGate(widget);
}

void InputMethodGate::setOpen(QWidget& widget, bool open)
{
    InputMethodGate& gate = of(widget);
    if (open) {
        if (gate.m_closedHere)
            widget.setAttribute(Qt::WA_InputMethodEnabled, gate.m_enabledBeforeClosing);
        gate.m_closedHere = false;
        return;
    }
    if (!gate.m_closedHere) {
        gate.m_enabledBeforeClosing = widget.testAttribute(Qt::WA_InputMethodEnabled);
        gate.m_closedHere = true;
    }
    // Qt commits any text still being composed when the attribute goes off.
    widget.setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool InputMethodGate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::InputMethodQuery || watched != parent())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->testAttribute(Qt::WA_InputMethodEnabled))
        return false;
    auto* query = static_cast<QInputMethodQueryEvent*>(event);
    if (!(query->queries() & Qt::ImEnabled))
        return false;
    // Let the widget answer everything, then close the conversion. Calling
    // event() directly passes no filter, so this gate is not entered again.
    static_cast<QObject*>(widget)->event(event);
    query->setValue(Qt::ImEnabled, false);
    return true;
}

} // namespace kv
