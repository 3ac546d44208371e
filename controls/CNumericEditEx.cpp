#include "controls/CNumericEditEx.h"

namespace kv {

CNumericEditEx::CNumericEditEx(QWidget* parent)
    : CEditEx(parent)
{
    setInputMode(InputMode::Direct);
}

bool CNumericEditEx::acceptsTypedCharacter(QChar character) const
{
    return (character >= u'0' && character <= u'9') || character == u'-';
}

} // namespace kv
