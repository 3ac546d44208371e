#include "records/search/SearchEntryDialog.h"

#include "app/controls/CNumericEditEx.h"
#include "common/MessageGateway.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace kv::records::search {

SearchEntryDialog::SearchEntryDialog(const QString& caption, const QString& label, CEditEx* field,
                                     QWidget* parent)
    : QDialog(parent)
    , m_field(field)
    , m_search(new QPushButton(QStringLiteral("検索(Enter)"), this))
{
    setWindowTitle(caption);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    m_search->setDefault(true);
    cancel->setAutoDefault(false);
    connect(m_search, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_search);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(label, this));
    layout->addWidget(m_field);
    layout->addLayout(buttons);
    setTabOrder(m_field, m_search);
    setTabOrder(m_search, cancel);
    m_field->setFocus();
}

QString SearchEntryDialog::text() const
{
    return m_field->text();
}

void SearchEntryDialog::accept()
{
    if (!acceptText(m_field->text())) {
        m_field->setFocus();
        m_field->selectAll();
        return;
    }
    QDialog::accept();
}

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
