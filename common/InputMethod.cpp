#include "common/InputMethodGate.h"
#include "common/KVCommon.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

// Qt has no open/closed state or conversion mode of its own; the nearest
// honest mapping is the widget's input-method attribute (made binding by
// InputMethodGate) and hints, which Qt hands to the platform's input method
// when the widget has the focus:
//   closed          - input method disabled, Qt::ImhLatinOnly (codes, numbers)
//   open            - input method enabled, Latin-only hints removed
//   half-width kana - open, Qt::ImhNoPredictiveText (a reading is typed as
//                     kana and never converted to kanji)
//   kana off        - prediction allowed again (ordinary hiragana input),
//                     then closed
// Half-width katakana itself has no hint; the reading fields convert what is
// typed.

namespace {

void refreshIfFocused(QWidget& window)
{
    if (window.hasFocus() && QGuiApplication::instance())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

void setOpen(QWidget& window, bool open)
{
    Qt::InputMethodHints hints = window.inputMethodHints();
    if (open)
        hints &= ~Qt::ImhLatinOnly;
    else
        hints |= Qt::ImhLatinOnly;
    kv::InputMethodGate::setOpen(window, open);
    window.setInputMethodHints(hints);
}

} // namespace

extern "C" {

void ImmSwitch(QWidget* window, int open)
{
    if (!window)
        return;
    setOpen(*window, open != 0);
    refreshIfFocused(*window);
}

void ImmSwitchKana(QWidget* window, int kana)
{
    if (!window)
        return;
    setOpen(*window, true);
    Qt::InputMethodHints hints = window->inputMethodHints();
    if (kana) {
        hints |= Qt::ImhNoPredictiveText;
        window->setInputMethodHints(hints);
    } else {
        hints &= ~Qt::ImhNoPredictiveText;
        window->setInputMethodHints(hints);
        setOpen(*window, false);
    }
    refreshIfFocused(*window);
}

} // extern "C"
