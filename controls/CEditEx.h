#pragma once

#include "controls/FieldVerdict.h"

#include <QColor>
#include <QLineEdit>

namespace kv {

class Cp932InputValidator;

// The single-line edit of every form: free text, names, addresses, amounts.
// Besides the shared keyboard rules it applies the field conventions: the
// input method chosen for the field and select-all when the field is
// entered; when it is left, a reading field is rewritten in half-width
// katakana and the form's check runs. A refused value resets the field,
// takes the focus back and shows the form's message once. The byte limit
// counts CP932 bytes, and characters CP932 cannot hold are refused as they
// are typed, pasted or committed by the input method.
class CEditEx : public QLineEdit {
    Q_OBJECT
public:
    enum class InputMode {
        Unchanged,     // the field leaves the input method alone
        Japanese,      // input method on: names, addresses, remarks
        Direct,        // input method off: codes, numbers, dates, phones
        HalfWidthKana, // readings: half-width katakana, converted on leaving
    };

    // Background of read-only edits.
    static QColor readOnlyBackground() { return QColor(255, 251, 240); }

    explicit CEditEx(QWidget* parent = nullptr);
    ~CEditEx() override;

    void setInputMode(InputMode mode);
    InputMode inputMode() const { return m_inputMode; }

    // Limit in CP932 bytes; 0 for none. A reading field counts the bytes of
    // its half-width form.
    void setByteLimit(int bytes);
    int byteLimit() const;

    // The form's check, run when the field is left; empty for none.
    void setExitCheck(FieldCheck check) { m_exitCheck = std::move(check); }
    const FieldCheck& exitCheck() const { return m_exitCheck; }

    // Runs the leaving conventions now, as the form does before recording
    // (without left(), which stands for the user leaving the field):
    // true when the field was accepted (and rewritten canonically); when
    // refused the field is reset, takes the focus and the message is shown.
    bool checkField();
    // The user is done with the field without the focus leaving it (a
    // command key that acts on the form): as leaving it, left() included.
    bool finishEditing();

    // A form's check refused this field's value: the focus comes here, and
    // the field it leaves is not checked on the way (one refusal, one
    // message, the focus where the refusal puts it).
    void takeRefusedFocus();

    // True while some field is handling a refused value; other fields then
    // neither check nor report, so that one refusal gives one message.
    static bool refusalInProgress();

    // Pastes the clipboard's first line, cut to what the byte limit leaves.
    void pasteFitting();

signals:
    // The field was entered (before the text is selected), so that a form
    // can replace a marker text by what the user edits.
    void entered();
    // The field was left with an accepted value (after the canonical rewrite).
    void left();

protected:
    // Whether a typed character is taken; the numeric edit narrows this.
    virtual bool acceptsTypedCharacter(QChar character) const;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool isPrintableText(const QString& text) const;
    // What of inserted fits in place of the selection.
    QString fittingInsertion(const QString& inserted) const;
    bool leaveField(bool byUser);
    void refuse(const FieldVerdict& verdict);
    void applyReadOnlyColours();

    Cp932InputValidator* m_cp932Validator = nullptr;
    InputMode m_inputMode = InputMode::Unchanged;
    FieldCheck m_exitCheck;
    bool m_readOnlyColoured = false;
    QColor m_normalBase;
    QColor m_normalText;
};

} // namespace kv
