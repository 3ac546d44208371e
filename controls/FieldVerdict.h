#pragma once

#include <QString>

#include <functional>

namespace kv {

// What a form decides about a field's text when the field is left: either
// the canonical text to show (1234 becomes 1,234), or the message to show
// and the text the field is reset to before it takes the focus back (an
// empty message when the check has shown its own).
class FieldVerdict {
public:
    static FieldVerdict accept(QString canonicalText);
    static FieldVerdict refuse(QString message, QString resetText);

    bool accepted() const { return m_accepted; }
    // The canonical text when accepted, the reset text when refused.
    const QString& text() const { return m_text; }
    const QString& message() const { return m_message; }

private:
    FieldVerdict(bool accepted, QString text, QString message);

    bool m_accepted;
    QString m_text;
    QString m_message;
};

// The check a form attaches to a field; it sees the text as typed.
using FieldCheck = std::function<FieldVerdict(const QString& text)>;

} // namespace kv
