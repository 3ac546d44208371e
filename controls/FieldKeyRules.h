#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace kv {

// The keyboard rules every input control shares, so that a clerk can work
// a form without the mouse: Enter and Tab move to the next tab stop (with
// Shift to the previous one, wrapping around), Esc ends the dialog the
// control sits in with Cancel. In a form window Esc is left to the control.
class FieldKeyRules {
public:
    // Moves the focus to the next (true) or previous (false) tab stop; the
    // controls pass their own focusNextPrevChild.
    using MoveFocus = std::function<bool(bool next)>;

    // Applies the rules to a key press; true when the key was consumed.
    static bool handleKeyPress(QWidget* control, QKeyEvent* event, const MoveFocus& moveFocus);

    // Whether a control keeps the key even where its window binds it to a
    // command: typing, Enter, Tab, Esc, the plain and shifted arrows and
    // other editing keys, and the clipboard and undo keys. Function keys and
    // the other Ctrl and Alt combinations are the window's.
    static bool keepsKey(const QKeyEvent& event);

    // For a form that shares its window with other panes: the next (or
    // previous) tab stop inside the form, wrapping around at its ends, so
    // that Enter and Tab never carry the focus into another pane. False
    // when the form has no tab stop.
    static bool moveFocusWithin(QWidget* form, bool next);
};

} // namespace kv
