#pragma once

#include "controls/CEditEx.h"

namespace kv {

// The edit for codes, counts, day numbers and dates typed as bare digits:
// of the typed characters it takes only digits, the minus sign and
// Backspace, dropping the rest without a sound. Pasted text is not filtered;
// the form's check judges it when the field is left.
class CNumericEditEx : public CEditEx {
    Q_OBJECT
public:
    explicit CNumericEditEx(QWidget* parent = nullptr);

protected:
    bool acceptsTypedCharacter(QChar character) const override;
};

} // namespace kv
