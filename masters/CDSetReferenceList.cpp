#include "masters/CDSetReferenceList.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"
#include "data/settings/SettingsList.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/KanaIndex.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

namespace {

QList<TypedListModel<ReferenceRow>::Column> columnsOf(ReferenceTable table)
{
    switch (table) {
    case ReferenceTable::Addresses:
        return {{QStringLiteral("               　　　　住  所"), 300, Qt::AlignLeft, &ReferenceRow::text},
                {QStringLiteral("ﾌﾘｶﾞﾅ"), 50, Qt::AlignLeft, &ReferenceRow::reading}};
    case ReferenceTable::CustomerNames:
        return {{QStringLiteral("         　　　　名  前"), 220, Qt::AlignLeft, &ReferenceRow::text},
                {QStringLiteral("             ﾌﾘｶﾞﾅ"), 160, Qt::AlignLeft, &ReferenceRow::reading}};
    case ReferenceTable::Models:
        break;
    }
    return {{QStringLiteral("　　　　　　　　　　　　　車　　　　　　　　種"), 340, Qt::AlignLeft,
             &ReferenceRow::text}};
}

} // namespace

CDSetReferenceList::CDSetReferenceList(data::CCarMaintenanceDoc& document, ReferenceTable table,
                                       const data::SettingsList* makes, QWidget* parent)
    // Called also as the dialog is destroyed: on a store of its own.
    : TableDialog([&document, table] { return ReferenceListStore(document, table).resetView(); },
                  parent)
    , m_store(document, table)
{
    const ReferenceListKind& k = kind();
    setWindowTitle(k.titleText());
    m_rows = new TypedListModel<ReferenceRow>(
        columnsOf(table), [](const ReferenceRow& row) { return row.id; }, this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);
    m_list->header()->setStretchLastSection(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setMinimumHeight(280);
    QPalette cream = m_list->palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    m_list->setPalette(cream);
    m_kana = new KanaButtonBar(KanaButtonBar::Captions::Dialog, this);
    m_count = new QLabel(this);

    m_text = new CEditEx(this);
    m_text->setInputMode(CEditEx::InputMode::Japanese);
    m_text->setByteLimit(k.textBytes);
    if (k.readingBytes > 0) {
        m_reading = new CEditEx(this);
        m_reading->setInputMode(CEditEx::InputMode::HalfWidthKana);
        m_reading->setByteLimit(k.readingBytes);
    }
    m_record = new QPushButton(QStringLiteral("記録(&Z)"), this);
    m_clear = new QPushButton(QStringLiteral("入力欄クリア(&Q)"), this);
    auto* close = new QPushButton(QStringLiteral("終了(Esc)"), this);
    for (QPushButton* b : {m_record, m_clear, close})
        b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    if (makes) {
        m_makes = new QComboBox(this);
        // The vehicle form's makes without its empty entry: index i is make i + 1.
        for (int i = 1; i < makes->count(); ++i)
            m_makes->addItem(QStringLiteral("%1 %2").arg(i, 2).arg(makes->entry(i)));
        auto* line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("車名"), this));
        line->addWidget(m_makes, 1);
        layout->addLayout(line);
        connect(m_makes, &QComboBox::currentIndexChanged, this, [this](int index) {
            m_store.setMake(index + 1);
            fillList();
            clearInput();
        });
    }
    layout->addWidget(m_kana);
    layout->addWidget(m_list, 1);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QString::fromUtf8(k.textCaption), this), 0, 0);
    fields->addWidget(m_text, 0, 1);
    if (m_reading) {
        fields->addWidget(new QLabel(QString::fromUtf8(k.readingCaption), this), 1, 0);
        fields->addWidget(m_reading, 1, 1);
    }
    layout->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_record);
    buttons->addWidget(m_clear);
    buttons->addWidget(close);
    buttons->addStretch(1);
    buttons->addWidget(new QLabel(QStringLiteral("前頁：PageUp  次頁：PageDown\n左ボタン：修正  右ボタン：削除"), this));
    buttons->addWidget(m_count);
    layout->addLayout(buttons);
    resize(520, 520);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_syncing)
            onRowSelected(m_list->currentRow());
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CDSetReferenceList::onDelete);
    connect(m_kana, &KanaButtonBar::chosen, this, &CDSetReferenceList::onKana);
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { clearInput(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    fillList();
    clearInput();
    m_kana->press(0);
}

void CDSetReferenceList::fillList()
{
    const std::optional<std::vector<ReferenceRow>> rows = m_store.readAll();
    if (!rows)
        showMessage(m_store.lastMessage());
    m_syncing = true;
    m_rows->replaceAll(rows.value_or(std::vector<ReferenceRow>{}));
    m_syncing = false;
    showCount();
}

void CDSetReferenceList::showCount()
{
    m_count->setText(ReferenceListStore::countLabel(m_rows->rowCount(), kind().maxRows));
}

int CDSetReferenceList::rowOfId(int id) const
{
    return m_rows->rowOfCode(id);
}

void CDSetReferenceList::clearInput()
{
    m_syncing = true;
    m_modified = 0;
    m_list->clearSelection();
    m_list->setCurrentIndex({});
    m_text->clear();
    if (m_reading)
        m_reading->clear();
    m_syncing = false;
    m_text->setFocus(Qt::OtherFocusReason);
}

void CDSetReferenceList::onRowSelected(int row)
{
    if (row < 0 || row >= m_rows->rowCount())
        return;
    const ReferenceRow& chosen = m_rows->at(row);
    m_modified = chosen.id;
    m_text->setText(chosen.text);
    if (m_reading)
        m_reading->setText(chosen.reading);
}

void CDSetReferenceList::onKana(int button)
{
    // Models are found by their own text, the others by their reading.
    std::vector<ItemRow> rows;
    rows.reserve(m_rows->rows().size());
    for (const ReferenceRow& row : m_rows->rows())
        rows.push_back({row.id, row.text, m_reading ? row.reading : row.text});
    const int row = KanaIndex::rowFor(button, rows);
    if (row < 0)
        return;
    m_list->selectRow(row);
    m_list->scrollTo(m_rows->index(row, 0), QAbstractItemView::PositionAtTop);
}

void CDSetReferenceList::focus(ReferenceListStore::Field field)
{
    switch (field) {
    case ReferenceListStore::Field::Text: m_text->setFocus(Qt::OtherFocusReason); break;
    case ReferenceListStore::Field::Reading:
        if (m_reading)
            m_reading->setFocus(Qt::OtherFocusReason);
        break;
    case ReferenceListStore::Field::ClearButton: m_clear->setFocus(Qt::OtherFocusReason); break;
    case ReferenceListStore::Field::None: break;
    }
}

void CDSetReferenceList::onRecord()
{
    for (CEditEx* field : {m_text, m_reading})
        if (field && !field->checkField())
            return;
    ReferenceRow row{m_modified, m_text->text(), m_reading ? m_reading->text() : QString()};
    const ReferenceListStore::Outcome outcome = m_store.record(row);
    if (!outcome.done) {
        if (!outcome.message.isEmpty())
            showMessage(outcome.message);
        focus(outcome.focus);
        return;
    }
    // The row goes where the table's order puts it.
    fillList();
    clearInput();
    const int shown = rowOfId(outcome.row.id);
    if (shown >= 0)
        m_list->scrollTo(m_rows->index(shown, 0));
    lan::changeAnnouncer().announceUpdate(kind().titleText());
}

void CDSetReferenceList::onDelete(const QPoint& at)
{
    const int row = rowUnder(m_list, at);
    if (row < 0)
        return;
    const int id = m_rows->codeOfRow(row);
    if (!confirmDelete())
        return;
    const ReferenceListStore::Outcome outcome = m_store.remove(id);
    if (!outcome.done) {
        if (!outcome.message.isEmpty())
            showMessage(outcome.message);
        return;
    }
    m_syncing = true;
    m_rows->removeRows(row, 1);
    m_syncing = false;
    clearInput();
    showCount();
    lan::changeAnnouncer().announceUpdate(kind().titleText());
}

CDSetJyu::CDSetJyu(data::CCarMaintenanceDoc& document, QWidget* parent)
    : CDSetReferenceList(document, ReferenceTable::Addresses, nullptr, parent)
{
}

CDSetKokName::CDSetKokName(data::CCarMaintenanceDoc& document, QWidget* parent)
    : CDSetReferenceList(document, ReferenceTable::CustomerNames, nullptr, parent)
{
}

CDSetSyasyu::CDSetSyasyu(data::CCarMaintenanceDoc& document, const data::SettingsList& makes,
                         QWidget* parent)
    : CDSetReferenceList(document, ReferenceTable::Models, &makes, parent)
{
}

} // namespace kv::masters
