#include "records/search/NumberEntryDialog.h"

#include "controls/CNumericEditEx.h"
#include "common/MessageGateway.h"

namespace kv::records::search {

NumberEntryDialog::NumberEntryDialog(const QString& caption, const QString& label, int low,
                                     int high, QWidget* parent)
    : SearchEntryDialog(caption, label, new CNumericEditEx, parent)
    , m_low(low)
    , m_high(high)
{
    field()->setInputMode(CEditEx::InputMode::Direct);
}

int NumberEntryDialog::value() const
{
    return text().trimmed().toInt();
}

bool NumberEntryDialog::acceptText(const QString& text)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok) {
        showMessage(QStringLiteral("整数を入力してください。"));
        return false;
    }
    if (number < m_low || number > m_high) {
        showMessage(QStringLiteral("%1 から %2 までの整数を入力してください。").arg(m_low).arg(m_high));
        return false;
    }
    return true;
}

} // namespace kv::records::search
