#include "controls/CComboBoxEn.h"

#include "controls/FieldKeyRules.h"

#include <QKeyEvent>

namespace kv {

CComboBoxEn::CComboBoxEn(QWidget* parent)
    : QComboBox(parent)
{
}

bool CComboBoxEn::event(QEvent* event)
{
    // An editable combo box's own edit passes the keys it leaves up to here.
    if (event->type() == QEvent::KeyPress
        && FieldKeyRules::handleKeyPress(this, static_cast<QKeyEvent*>(event),
                                         [this](bool next) { return focusNextPrevChild(next); }))
        return true;
    return QComboBox::event(event);
}

} // namespace kv
