#include "masters/CKubunRefFrame.h"

#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"
#include "masters/core/LineGridAccess.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {
namespace {

struct CategoryRow {
    int index = 0;
    QString name;
};

} // namespace

CKubunRefFrame::CKubunRefFrame(const kv::data::CategoryNames& categories, QString profileSection,
                               Buttons buttons, QPoint defaultPosition, QWidget* owner,
                               Choice choice)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_categories(categories), m_section(std::move(profileSection)), m_choice(choice),
      m_list(new CListCtrlEx(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("区分"));
    auto* rows = new TypedListModel<CategoryRow>(
        {{QStringLiteral(" NO"), 35, Qt::AlignHCenter,
          [](const CategoryRow& row) { return QString::asprintf("%d", row.index); }},
         {QStringLiteral("区 分"), 80, Qt::AlignLeft, &CategoryRow::name}},
        &CategoryRow::index, m_list);
    std::vector<CategoryRow> names;
    for (int index = 0; index < int(categories.names.size()); ++index)
        names.push_back({index, categories.names[size_t(index)]});
    rows->replaceAll(std::move(names));
    m_list->setRows(rows);
    m_list->header()->setStretchLastSection(true);
    m_list->rowDelegate()->setSelection(ListRowDelegate::Selection::Solid);
    m_list->rowDelegate()->setTextMargin(2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    auto* buttonRow = new QHBoxLayout;
    if (buttons == Buttons::OkAndCancel) {
        auto* ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("ok"));
        connect(ok, &QPushButton::clicked, this, [this] {
            if (m_choice == Choice::Explicit)
                choose(m_list->currentRow());
            emit okClicked();
        });
        buttonRow->addWidget(ok);
    }
    auto* cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(Esc)"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    connect(cancelButton, &QPushButton::clicked, this, &CKubunRefFrame::cancel);
    buttonRow->addWidget(cancelButton);
    layout->addLayout(buttonRow);

    if (m_choice == Choice::OnSelection) {
        // The selection, not the current row: the list makes its first row
        // current when it merely gets the focus.
        connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { choose(m_list->currentRow()); });
    } else {
        connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            choose(index.row());
            emit okClicked();
        });
        m_list->installEventFilter(this);
    }

    resize(180, 360);
    move(ItemProfile().position(m_section, defaultPosition));
}

void CKubunRefFrame::choose(int row)
{
    if (row >= 0 && row < int(m_categories.names.size()))
        emit categoryChosen(row, m_categories.names[size_t(row)]);
}

bool CKubunRefFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_list->currentRow());
            emit okClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

CKubunRefFrame::~CKubunRefFrame()
{
    savePosition();
}

CKubunRefFrame* CKubunRefFrame::openForGrid(const kv::data::CategoryNames& categories,
                                            LineGridAccess& grid, GridContext context,
                                            QWidget* anchor)
{
    const QPoint origin = anchor ? anchor->window()->pos() : QPoint();
    const QPoint fallback = origin + (context == GridContext::Slip ? QPoint(115, 65)
                                                                   : QPoint(7, 68));
    auto* frame = new CKubunRefFrame(categories, ItemProfile::gridCategorySection(context),
                                     Buttons::OkAndCancel, fallback, anchor, Choice::Explicit);
    connect(frame, &CKubunRefFrame::categoryChosen, frame,
            [&grid](int, const QString& name) { putCategoryIntoGrid(grid, name); });
    connect(frame, &CKubunRefFrame::okClicked, frame, [&grid] { grid.focusCurrentCell(); });
    connect(frame, &CKubunRefFrame::cancelled, frame, [&grid] { grid.focusCurrentCell(); });
    ItemProfile().setShown(frame->profileSection(), true);
    frame->show();
    return frame;
}

void CKubunRefFrame::cancel()
{
    ItemProfile().setShown(m_section, false);
    close();
    emit cancelled();
}

void CKubunRefFrame::savePosition()
{
    if (m_positionSaved)
        return;
    m_positionSaved = true;
    ItemProfile().setPosition(m_section, pos());
}

void CKubunRefFrame::closeEvent(QCloseEvent* event)
{
    savePosition();
    emit closing();
    QWidget::closeEvent(event);
}

void CKubunRefFrame::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kv::masters
