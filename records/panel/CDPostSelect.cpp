#include "records/panel/CDPostSelect.h"

#include "controls/CListCtrlEx.h"
#include "controls/TypedListModel.h"
#include "records/PostalCode.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::records {

namespace {
struct Row {
    int index = 0;
    PostalAddress address;
};
}

CDPostSelect::CDPostSelect(const std::vector<PostalAddress>& addresses, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("郵便番号検索"));
    std::vector<Row> rows;
    for (size_t i = 0; i < addresses.size(); ++i)
        rows.push_back({int(i), addresses[i]});
    auto* model = new TypedListModel<Row>(
        {{QStringLiteral("郵便番号"), 80, Qt::AlignHCenter,
          [](const Row& row) { return PostalCode::show(row.address.post); }},
         {QStringLiteral("住　　所"), 360, Qt::AlignLeft,
          [](const Row& row) { return row.address.text(); }}},
        [](const Row& row) { return row.index + 1; }, this);
    model->replaceAll(std::move(rows));

    m_list = new CListCtrlEx(this);
    m_list->setRows(model);
    m_list->header()->setStretchLastSection(true);
    m_list->installEventFilter(this);
    m_list->selectRow(0);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { take(); });

    auto* ok = new QPushButton(QStringLiteral("OK(Enter)"), this);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { take(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("該当する住所が複数あります。選択して下さい")));
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(500, 300);
    m_list->setFocus(Qt::OtherFocusReason);
}

bool CDPostSelect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            take();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDPostSelect::take()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_chosen = row;
    accept();
}

} // namespace kv::records
