#include "controls/CEditEx.h"

#include "controls/Cp932InputValidator.h"
#include "controls/FieldKeyRules.h"
#include "controls/KanaConversion.h"
#include "common/Cp932.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>

namespace kv {
namespace {

int refusalDepth = 0;

class RefusalScope {
public:
    RefusalScope() { ++refusalDepth; }
    ~RefusalScope() { --refusalDepth; }
    RefusalScope(const RefusalScope&) = delete;
    RefusalScope& operator=(const RefusalScope&) = delete;
};

// Focus that leaves the window for a moment (a message box, a menu, another
// program) is no leaving of the field: it comes back to it.
bool focusStaysInField(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}

} // namespace

CEditEx::CEditEx(QWidget* parent)
    : QLineEdit(parent), m_cp932Validator(new Cp932InputValidator(this))
{
    setValidator(m_cp932Validator);
    applyReadOnlyColours();
}

CEditEx::~CEditEx() = default;

void CEditEx::setInputMode(InputMode mode)
{
    m_inputMode = mode;
    m_cp932Validator->setMeasuresReading(mode == InputMode::HalfWidthKana);
}

void CEditEx::setByteLimit(int bytes)
{
    m_cp932Validator->setByteLimit(bytes);
}

int CEditEx::byteLimit() const
{
    return m_cp932Validator->byteLimit();
}

void CEditEx::takeRefusedFocus()
{
    RefusalScope scope;
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

bool CEditEx::refusalInProgress()
{
    return refusalDepth > 0;
}

bool CEditEx::acceptsTypedCharacter(QChar) const
{
    return true;
}

bool CEditEx::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && FieldKeyRules::handleKeyPress(this, static_cast<QKeyEvent*>(event),
                                         [this](bool next) { return focusNextPrevChild(next); }))
        return true;
    return QLineEdit::event(event);
}

bool CEditEx::isPrintableText(const QString& text) const
{
    if (text.isEmpty())
        return false;
    for (char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            return false;
    }
    return true;
}

void CEditEx::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFitting();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (isPrintableText(typed)) {
        for (QChar c : typed) {
            if (!acceptsTypedCharacter(c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

QString CEditEx::fittingInsertion(const QString& inserted) const
{
    QString kept = text();
    if (hasSelectedText())
        kept.remove(selectionStart(), selectedText().size());
    return m_cp932Validator->fitting(kept, inserted);
}

void CEditEx::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !isReadOnly()) {
        QString taken;
        for (QChar c : commit) {
            if (acceptsTypedCharacter(c))
                taken += c;
        }
        // A conversion holding a character CP932 lacks is refused whole, so
        // that the user sees it did not go in rather than losing one kanji.
        if (!cp932::isRepresentable(taken))
            taken.clear();
        taken = fittingInsertion(taken);
        if (taken != commit)
            event->setCommitString(taken, event->replacementStart(), event->replacementLength());
    }
    QLineEdit::inputMethodEvent(event);
}

void CEditEx::pasteFitting()
{
    if (isReadOnly())
        return;
    QString clip = QGuiApplication::clipboard()->text();
    const qsizetype lineEnd = clip.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        clip.truncate(lineEnd);
    if (clip.isEmpty() || !cp932::isRepresentable(clip))
        return;
    const QString fitting = fittingInsertion(clip);
    if (!fitting.isEmpty())
        insert(fitting);
}

void CEditEx::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (!menu)
        return;
    // The menu's paste must keep to the byte limit like Ctrl+V.
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, nullptr, this, nullptr);
        connect(paste, &QAction::triggered, this, &CEditEx::pasteFitting);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CEditEx::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    switch (m_inputMode) {
    case InputMode::Japanese: ImmSwitch(this, 1); break;
    case InputMode::Direct: ImmSwitch(this, 0); break;
    case InputMode::HalfWidthKana: ImmSwitchKana(this, 1); break;
    case InputMode::Unchanged: break;
    }
    // Coming back from another window is no new entry: the user carries on
    // where the caret was.
    if (event->reason() == Qt::ActiveWindowFocusReason)
        return;
    emit entered();
    selectAll();
}

void CEditEx::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (focusStaysInField(event->reason()) || refusalInProgress())
        return;
    // A field that is hidden, disabled or closed with its window is not
    // being left by the user; checking it would report on a vanished form.
    if (!isVisible() || !isEnabled() || isReadOnly())
        return;
    leaveField(true);
}

bool CEditEx::checkField()
{
    if (refusalInProgress())
        return false;
    return leaveField(false);
}

bool CEditEx::finishEditing()
{
    if (refusalInProgress())
        return false;
    return leaveField(true);
}

bool CEditEx::leaveField(bool byUser)
{
    if (m_inputMode == InputMode::HalfWidthKana) {
        const QString converted = toHalfWidthKana(text());
        if (converted != text())
            setText(converted);
        ImmSwitchKana(this, 0);
    }
    if (m_exitCheck) {
        const FieldVerdict verdict = m_exitCheck(text());
        if (!verdict.accepted()) {
            refuse(verdict);
            return false;
        }
        if (verdict.text() != text())
            setText(verdict.text());
    }
    // What a form does when the user leaves a field (filling other fields
    // from it) is no part of checking it.
    if (byUser)
        emit left();
    return true;
}

void CEditEx::refuse(const FieldVerdict& verdict)
{
    RefusalScope scope;
    setText(verdict.text());
    // The focus is back in the field before the message box opens, so that
    // the field it was going to is never entered and never checked.
    setFocus(Qt::OtherFocusReason);
    // An empty message: the check has told the user already.
    if (!verdict.message().isEmpty())
        showMessage(verdict.message());
}

void CEditEx::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        applyReadOnlyColours();
}

void CEditEx::applyReadOnlyColours()
{
    if (isReadOnly() == m_readOnlyColoured)
        return;
    m_readOnlyColoured = isReadOnly();
    QPalette colours = palette();
    if (m_readOnlyColoured) {
        m_normalBase = colours.color(QPalette::Active, QPalette::Base);
        m_normalText = colours.color(QPalette::Active, QPalette::Text);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            colours.setColor(group, QPalette::Base, readOnlyBackground());
            colours.setColor(group, QPalette::Text, Qt::black);
        }
    } else {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            colours.setColor(group, QPalette::Base, m_normalBase);
            colours.setColor(group, QPalette::Text, m_normalText);
        }
    }
    setPalette(colours);
}

} // namespace kv
