#include "masters/CDSetMeisai.h"

#include "controls/CButtonEx.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldVerdict.h"
#include "masters/CKubunRefFrame.h"
#include "masters/ItemListView.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/ItemRules.h"
#include "masters/core/KanaIndex.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace kv::masters {
namespace {

QPointer<CDSetMeisai> g_openDialog;

} // namespace

CDSetMeisai::CDSetMeisai(ItemStore& store, const kv::data::CategoryNames& categories,
                         kv::lan::ChangeAnnouncer& announcer, QWidget* parent)
    : QDialog(parent), m_editor(store, categories, announcer), m_categories(categories)
{
    setWindowTitle(ItemRules::kindTitle());
    buildLayout();
    connectControls();

    const ItemOrder order = ItemProfile().dialogOrder();
    m_kana->setVisible(order == ItemOrder::Reading);
    m_editor.open(order);
    showState();
    g_openDialog = this;
}

CDSetMeisai::~CDSetMeisai()
{
    finish();
}

CDSetMeisai* CDSetMeisai::openInstance()
{
    return g_openDialog.data();
}

void CDSetMeisai::buildLayout()
{
    m_list = new ItemListView(QStringLiteral("                    　　　作業・部品"), this);
    m_list->setObjectName(QStringLiteral("itemList"));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setMinimumWidth(380);
    m_kana = new KanaButtonBar(KanaButtonBar::Captions::Dialog, this);

    m_code = new CNumericEditEx(this);
    m_code->setObjectName(QStringLiteral("code"));
    m_code->setInputMode(CEditEx::InputMode::Direct);
    m_code->setMaxLength(4);
    m_text = new CEditEx(this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setInputMode(CEditEx::InputMode::Japanese);
    m_text->setByteLimit(ItemRules::kTextBytes);
    m_reading = new CEditEx(this);
    m_reading->setObjectName(QStringLiteral("reading"));
    m_reading->setInputMode(CEditEx::InputMode::HalfWidthKana);
    m_reading->setByteLimit(ItemRules::kReadingBytes);
    m_categoryButton = new CButtonEx(QStringLiteral("区  分(&K)"), CButtonEx::Kind::PushButton, this);
    m_categoryButton->setCheckable(true);
    m_category = new CEditEx(this);
    m_category->setObjectName(QStringLiteral("category"));
    m_category->setInputMode(CEditEx::InputMode::Direct);
    m_category->setByteLimit(ItemRules::kCategoryBytes);
    // Not limited to eight characters: the grouped form of the largest
    // price is longer than what may be typed.
    m_price = new CEditEx(this);
    m_price->setObjectName(QStringLiteral("price"));
    m_price->setInputMode(CEditEx::InputMode::Direct);

    m_record = new QPushButton(QStringLiteral("記録(&Z)"), this);
    m_clear = new QPushButton(QStringLiteral("入力欄クリア(&Q)"), this);
    m_close = new QPushButton(QStringLiteral("終了(Esc)"), this);
    m_record->setAutoDefault(false);
    m_clear->setAutoDefault(false);
    m_close->setAutoDefault(false);
    m_countLabel = new QLabel(this);

    auto* fields = new QGridLayout;
    int row = 0;
    fields->addWidget(new QLabel(QStringLiteral("コード"), this), row, 0);
    fields->addWidget(m_code, row, 1);
    fields->addWidget(new QLabel(QStringLiteral("０ = 一番若い未使用コード"), this), row++, 2);
    fields->addWidget(new QLabel(QStringLiteral("作業・部品"), this), row, 0);
    fields->addWidget(m_text, row++, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("ﾌ ﾘ ｶﾞﾅ"), this), row, 0);
    fields->addWidget(m_reading, row++, 1);
    fields->addWidget(m_categoryButton, row, 0);
    fields->addWidget(m_category, row++, 1);
    fields->addWidget(new QLabel(QStringLiteral("単     価"), this), row, 0);
    fields->addWidget(m_price, row++, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_record);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);

    auto* input = new QVBoxLayout;
    input->addLayout(fields);
    input->addLayout(buttons);
    input->addWidget(
        new QLabel(QStringLiteral("※左表ﾀｲﾄﾙの ｺｰﾄﾞ･ﾌﾘｶﾞﾅ をｸﾘｯｸすると並べ替えれます"), this));
    input->addStretch();
    input->addWidget(m_countLabel);

    auto* left = new QVBoxLayout;
    left->addWidget(m_kana);
    left->addWidget(m_list);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(input, 2);
    resize(760, 480);

    setTabOrder(m_code, m_text);
    setTabOrder(m_text, m_reading);
    setTabOrder(m_reading, m_category);
    setTabOrder(m_category, m_price);
    setTabOrder(m_price, m_record);
}

void CDSetMeisai::connectControls()
{
    m_code->setExitCheck([this](const QString& text) {
        if (m_finished)
            return FieldVerdict::accept(text);
        readFields();
        const FieldOutcome outcome = m_editor.leaveCode(text);
        showState();
        return verdictOf(outcome);
    });
    m_category->setExitCheck([this](const QString& text) {
        return m_finished ? FieldVerdict::accept(text) : verdictOf(m_editor.leaveCategory(text));
    });
    m_price->setExitCheck([this](const QString& text) {
        return m_finished ? FieldVerdict::accept(text) : verdictOf(m_editor.leavePrice(text));
    });

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_syncing)
            onRowSelected(m_list->currentRow());
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CDSetMeisai::onDelete);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &CDSetMeisai::onHeaderClicked);
    connect(m_kana, &KanaButtonBar::chosen, this, &CDSetMeisai::onKana);
    connect(m_record, &QPushButton::clicked, this, &CDSetMeisai::onRecord);
    connect(m_clear, &QPushButton::clicked, this, &CDSetMeisai::onClear);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_categoryButton, &QAbstractButton::toggled, this, [this](bool checked) {
        setCategoryWindowShown(checked);
        ItemProfile().setShown(ItemProfile::dialogCategorySection(), checked);
    });
}

FieldVerdict CDSetMeisai::verdictOf(const FieldOutcome& outcome)
{
    switch (outcome.kind) {
    case FieldOutcome::Refused:
        return FieldVerdict::refuse(outcome.message, outcome.text);
    case FieldOutcome::FocusBack:
        // The message has been shown already; only the focus goes back.
        QTimer::singleShot(0, this, [this] {
            if (!m_finished)
                m_code->setFocus(Qt::OtherFocusReason);
        });
        return FieldVerdict::accept(outcome.text);
    case FieldOutcome::Accepted:
        break;
    }
    return FieldVerdict::accept(outcome.text);
}

void CDSetMeisai::readFields()
{
    ItemFields& fields = m_editor.fields();
    fields.code = m_code->text();
    fields.text = m_text->text();
    fields.reading = m_reading->text();
    fields.category = m_category->text();
    fields.price = m_price->text();
}

void CDSetMeisai::showState()
{
    m_syncing = true;
    if (m_shownRowsVersion != m_editor.rowsVersion()) {
        m_list->fill(m_editor.rows());
        m_shownRowsVersion = m_editor.rowsVersion();
    }
    const int selected = m_editor.selectedRow();
    if (selected >= 0) {
        if (m_list->currentRow() != selected)
            m_list->selectRow(selected);
    } else {
        m_list->clearSelection();
    }
    const ItemFields& fields = m_editor.fields();
    m_code->setText(fields.code);
    m_text->setText(fields.text);
    m_reading->setText(fields.reading);
    m_category->setText(fields.category);
    m_price->setText(fields.price);
    m_countLabel->setText(m_editor.countLabel());
    m_syncing = false;
}

void CDSetMeisai::applyFocusRequest()
{
    switch (m_editor.takeFocusRequest()) {
    case ItemField::Code: m_code->setFocus(Qt::OtherFocusReason); break;
    case ItemField::Text: m_text->setFocus(Qt::OtherFocusReason); break;
    case ItemField::Reading: m_reading->setFocus(Qt::OtherFocusReason); break;
    case ItemField::Category: m_category->setFocus(Qt::OtherFocusReason); break;
    case ItemField::Price: m_price->setFocus(Qt::OtherFocusReason); break;
    case ItemField::List: m_list->setFocus(Qt::OtherFocusReason); break;
    case ItemField::None: break;
    }
}

void CDSetMeisai::onRowSelected(int row)
{
    if (m_finished || row < 0)
        return;
    readFields();
    m_editor.selectRow(row);
    showState();
    applyFocusRequest();
}

void CDSetMeisai::onRecord()
{
    if (m_finished)
        return;
    // A shortcut leaves the focus where it was: that field's rule runs
    // first, as leaving it would have run it.
    if (auto* field = qobject_cast<CEditEx*>(focusWidget()); field && field->window() == this)
        if (!field->checkField())
            return;
    readFields();
    m_editor.record();
    showState();
    applyFocusRequest();
}

void CDSetMeisai::onClear()
{
    if (m_finished)
        return;
    m_editor.clearInput();
    showState();
    applyFocusRequest();
}

void CDSetMeisai::onDelete(const QPoint& at)
{
    if (m_finished || m_list->rowCount() == 0)
        return;
    // The row under the mouse is the one meant, even when the click did not
    // select it again.
    const QModelIndex clicked = m_list->indexAt(at);
    if (clicked.isValid() && clicked.row() != m_editor.selectedRow()) {
        onRowSelected(clicked.row());
        if (m_editor.selectedRow() != clicked.row())
            return;
    }
    m_editor.deleteSelected();
    showState();
    applyFocusRequest();
}

void CDSetMeisai::onHeaderClicked(int column)
{
    if (m_finished || column == 1)
        return;
    const ItemOrder order = column == 0 ? ItemOrder::Code : ItemOrder::Reading;
    if (m_editor.rows().order() == order)
        return;
    ItemProfile().setDialogOrder(order);
    m_kana->setVisible(order == ItemOrder::Reading);
    m_editor.setOrder(order);
    if (order == ItemOrder::Code) {
        m_editor.selectRow(0);
        showState();
        applyFocusRequest();
    } else {
        m_kana->press(0);
        onKana(0);
    }
}

void CDSetMeisai::onKana(int button)
{
    if (m_finished)
        return;
    const int row = m_editor.jumpToKana(button);
    showState();
    if (row >= 0)
        m_list->scrollTo(m_list->rows()->index(row, 0), QAbstractItemView::PositionAtTop);
    applyFocusRequest();
}

void CDSetMeisai::setCategoryWindowShown(bool shown)
{
    if (!shown) {
        if (m_categoryWindow)
            m_categoryWindow->close();
        return;
    }
    if (m_categoryWindow)
        return;
    m_categoryWindow = new CKubunRefFrame(m_categories, ItemProfile::dialogCategorySection(),
                                          CKubunRefFrame::Buttons::CancelOnly,
                                          pos() + QPoint(235, 145), this);
    connect(m_categoryWindow, &CKubunRefFrame::categoryChosen, this,
            [this](int, const QString& name) {
                m_category->setText(name);
                m_editor.fields().category = name;
            });
    connect(m_categoryWindow, &CKubunRefFrame::closing, this, [this] {
        const QSignalBlocker blocker(m_categoryButton);
        m_categoryButton->setChecked(false);
    });
    m_categoryWindow->show();
}

void CDSetMeisai::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    applyFocusRequest();
    if (ItemProfile().isShown(ItemProfile::dialogCategorySection())) {
        const QSignalBlocker blocker(m_categoryButton);
        m_categoryButton->setChecked(true);
        setCategoryWindowShown(true);
    }
}

void CDSetMeisai::refreshItem(int code, const QString& text, const QString& reading)
{
    if (m_finished)
        return;
    m_editor.applyRemoteUpdate(code, text, reading);
    showList();
}

void CDSetMeisai::removeItem(int code)
{
    if (m_finished)
        return;
    m_editor.applyRemoteDelete(code);
    showList();
}

void CDSetMeisai::showList()
{
    // The input area is the user's: only the list and the count follow.
    m_syncing = true;
    m_list->fill(m_editor.rows());
    m_shownRowsVersion = m_editor.rowsVersion();
    if (m_editor.selectedRow() >= 0)
        m_list->selectRow(m_editor.selectedRow());
    m_countLabel->setText(m_editor.countLabel());
    m_syncing = false;
}

void CDSetMeisai::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_categoryWindow)
        m_categoryWindow->close();
    m_editor.close();
    if (g_openDialog == this)
        g_openDialog = nullptr;
}

void CDSetMeisai::done(int result)
{
    finish();
    QDialog::done(result);
}

} // namespace kv::masters
