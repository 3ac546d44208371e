#include "records/search/SearchEntryDialog.h"

#include "controls/CEditEx.h"
#include "common/MessageGateway.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

} // namespace kv::records::search
