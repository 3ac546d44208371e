#include "masters/CDSetNyuukoKbn.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/TypedListModel.h"
#include "lan/core/ChangeAnnouncer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

QString CDSetNyuukoKbn::updateKind()
{
    return QStringLiteral("入庫区分");
}

CDSetNyuukoKbn::CDSetNyuukoKbn(data::CCarMaintenanceDoc& document, QWidget* parent)
    // Called also as the dialog is destroyed: on a store of its own.
    : TableDialog([&document] { return JobCategoryStore(document).resetView(); }, parent)
    , m_store(document)
{
    setWindowTitle(updateKind());
    m_rows = new TypedListModel<JobCategory>(
        {{QStringLiteral("　　　 入庫区分"), 110, Qt::AlignLeft, &JobCategory::name},
         {QStringLiteral("入庫種別"), 150, Qt::AlignLeft,
          [](const JobCategory& row) {
              return JobCategoryRules::kindText(JobCategoryRules::positionOfKind(row.kind));
          }}},
        [](const JobCategory& row) { return row.code; }, this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);
    m_list->header()->setStretchLastSection(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_count = new QLabel(this);
    m_name = new CEditEx(this);
    m_name->setInputMode(CEditEx::InputMode::Japanese);
    m_name->setByteLimit(JobCategoryRules::kNameBytes);
    m_kinds = new QComboBox(this);
    for (int i = 0; i < JobCategoryRules::kKindCount; ++i)
        m_kinds->addItem(JobCategoryRules::kindText(i));
    m_record = new QPushButton(QStringLiteral("記録(&Z)"), this);
    m_clear = new QPushButton(QStringLiteral("入力欄クリア(&Q)"), this);
    auto* close = new QPushButton(QStringLiteral("終了(Esc)"), this);
    for (QPushButton* b : {m_record, m_clear, close})
        b->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("入庫区分")), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("入庫種別")), 1, 0);
    fields->addWidget(m_kinds, 1, 1);
    auto* hints = new QHBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("前頁：\nPageUp")));
    hints->addWidget(new QLabel(QStringLiteral("次頁：\nPageDown")));
    hints->addWidget(new QLabel(QStringLiteral("左ボタン：修正\n右ボタン：削除")));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_record);
    buttons->addWidget(m_clear);
    buttons->addWidget(close);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addLayout(buttons);
    right->addLayout(hints);
    right->addStretch(1);
    right->addWidget(m_count);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 3);
    layout->addLayout(right, 2);
    resize(620, 420);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_syncing)
            onRowSelected(m_list->currentRow());
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CDSetNyuukoKbn::onDelete);
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { clearInput(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    fillList();
    clearInput();
}

void CDSetNyuukoKbn::fillList()
{
    const std::optional<std::vector<JobCategory>> rows = m_store.readAll();
    if (!rows)
        showMessage(m_store.lastMessage());
    m_syncing = true;
    m_rows->replaceAll(rows.value_or(std::vector<JobCategory>{}));
    m_syncing = false;
    showCount();
}

void CDSetNyuukoKbn::showCount()
{
    m_count->setText(JobCategoryRules::countLabel(m_rows->rowCount()));
}

void CDSetNyuukoKbn::clearInput()
{
    m_syncing = true;
    m_modified = 0;
    m_list->clearSelection();
    m_list->setCurrentIndex({});
    m_name->clear();
    m_kinds->setCurrentIndex(0);
    m_syncing = false;
    m_name->setFocus(Qt::OtherFocusReason);
}

void CDSetNyuukoKbn::onRowSelected(int row)
{
    if (row < 0 || row >= m_rows->rowCount())
        return;
    const JobCategory& category = m_rows->at(row);
    m_modified = category.code;
    m_name->setText(category.name);
    m_kinds->setCurrentIndex(JobCategoryRules::positionOfKind(category.kind));
}

void CDSetNyuukoKbn::show(const JobCategoryStore::Outcome& outcome)
{
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (outcome.clearInput)
        clearInput();
    if (outcome.toClearButton)
        m_clear->setFocus(Qt::OtherFocusReason);
}

void CDSetNyuukoKbn::onRecord()
{
    if (!m_name->checkField())
        return;
    const bool adding = m_modified == 0;
    const JobCategoryStore::Outcome outcome =
        adding ? m_store.add(m_name->text(), m_kinds->currentIndex())
               : m_store.modify(m_modified, m_name->text(), m_kinds->currentIndex());
    if (!outcome.done) {
        show(outcome);
        if (outcome.message.isEmpty() || (!outcome.clearInput && !outcome.toClearButton))
            m_name->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_syncing = true;
    if (adding) {
        m_rows->append(outcome.category);
    } else {
        const int row = m_rows->rowOfCode(outcome.category.code);
        m_rows->updateRow(row, outcome.category);
    }
    m_syncing = false;
    clearInput();
    showCount();
    lan::changeAnnouncer().announceUpdate(updateKind());
}

void CDSetNyuukoKbn::onDelete(const QPoint& at)
{
    const int row = rowUnder(m_list, at);
    if (row < 0)
        return;
    const int code = m_rows->codeOfRow(row);
    if (!confirmDelete()) {
        clearInput();
        return;
    }
    const JobCategoryStore::Outcome outcome = m_store.remove(code);
    if (!outcome.done) {
        show(outcome);
        return;
    }
    m_syncing = true;
    m_rows->removeRows(row, 1);
    m_syncing = false;
    showCount();
    clearInput();
    // The neighbour comes into view; choosing it is the user's.
    if (row > 0)
        m_list->scrollTo(m_rows->index(row - 1, 0));
    lan::changeAnnouncer().announceUpdate(updateKind());
}

} // namespace kv::masters
