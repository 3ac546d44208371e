#include "masters/CRefFrame.h"

#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"
#include "data/settings/UserProfile.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/KanaIndex.h"
#include "masters/core/PanelPickSource.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSettings>
#include <QVBoxLayout>

namespace kv::masters {
namespace {

const QString kMakeEntry = QStringLiteral("Syamei/SyameiNo");
QPointer<CRefFrame> g_openList;

} // namespace

CRefForm::CRefForm(const QList<Column>& columns, bool kanaButtons, QWidget* parent)
    : QWidget(parent), m_list(new CListCtrlEx(this))
{
    QList<TypedListModel<ItemRow>::Column> shown;
    for (const Column& column : columns) {
        shown.append({column.caption, column.width > 0 ? column.width : 100, Qt::AlignLeft,
                      column.reading ? &ItemRow::reading : &ItemRow::text});
    }
    m_rows = new TypedListModel<ItemRow>(shown, &ItemRow::code, this);
    m_list->setRows(m_rows);
    m_list->setObjectName(QStringLiteral("pickList"));
    m_list->header()->setStretchLastSection(true);
    QPalette cream = m_list->palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    m_list->setPalette(cream);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    if (kanaButtons) {
        m_kana = new KanaButtonBar(KanaButtonBar::Captions::PickList, this);
        connect(m_kana, &KanaButtonBar::chosen, this, &CRefForm::jumpToKana);
        layout->addWidget(m_kana);
    }
    layout->addWidget(m_list, 1);
}

const std::vector<ItemRow>& CRefForm::rows() const
{
    return m_rows->rows();
}

const ItemRow* CRefForm::chosenRow() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(rows().size()) ? &rows()[size_t(row)] : nullptr;
}

void CRefForm::fill(std::vector<ItemRow> rows)
{
    m_rows->replaceAll(std::move(rows));
    if (!this->rows().empty())
        m_list->selectRow(0);
}

void CRefForm::jumpToKana(int button)
{
    if (!m_kana)
        return;
    m_kana->press(button);
    const int row = KanaIndex::rowFor(button, rows());
    if (row < 0)
        return;
    m_list->selectRow(row);
    m_list->scrollTo(m_rows->index(row, 0));
    m_list->setFocus(Qt::OtherFocusReason);
}

CFJyu::CFJyu(QWidget* parent)
    : CRefForm({{QStringLiteral("               住  所（↑↓）"), 233, false}, {QString(), 0, true}},
               true, parent)
{
}

CFKokName::CFKokName(QWidget* parent)
    : CRefForm({{QStringLiteral("         名  前（↑↓）"), 175, false},
                {QStringLiteral("             ﾌﾘｶﾞﾅ"), 0, true}},
               true, parent)
{
}

CFRikuji::CFRikuji(QWidget* parent) : CRefForm({{QStringLiteral(" 陸事↑↓"), 0, false}}, false, parent)
{
}

CFSyamei::CFSyamei(QWidget* parent)
    : CRefForm({{QStringLiteral("          車  種（↑↓）"), 0, false}}, true, parent),
      m_makes(new QComboBox(this))
{
    m_makes->setObjectName(QStringLiteral("makes"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_makes);
}

QString CRefFrame::profileSection(Kind kind)
{
    switch (kind) {
    case Kind::Names: return QStringLiteral("KokNameRef");
    case Kind::Addresses: return QStringLiteral("JyuRef");
    case Kind::TransportOffices: return QStringLiteral("RikujiRef");
    case Kind::Models: return QStringLiteral("SyameiRef");
    case Kind::PrintModels: return QStringLiteral("SyonenSyameiRef");
    }
    return {};
}

CRefFrame* CRefFrame::open(Kind kind, PanelPickSource& source, QWidget* disabledWindow,
                           QPoint fallbackPosition, Chosen chosen)
{
    auto* frame = new CRefFrame(kind, source, disabledWindow, std::move(chosen));
    frame->move(ItemProfile().position(profileSection(kind), fallbackPosition));
    if (disabledWindow)
        disabledWindow->setEnabled(false);
    frame->show();
    frame->m_form->list()->setFocus(Qt::OtherFocusReason);
    g_openList = frame;
    return frame;
}

CRefFrame* CRefFrame::openInstance()
{
    return g_openList.data();
}

CRefFrame::CRefFrame(Kind kind, PanelPickSource& source, QWidget* disabledWindow, Chosen chosen)
    // A window of its own: the window it disables must not take it along.
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_kind(kind), m_source(source), m_disabled(disabledWindow), m_chosen(std::move(chosen))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("参照"));
    switch (kind) {
    case Kind::Names: m_form = new CFKokName(this); break;
    case Kind::Addresses: m_form = new CFJyu(this); break;
    case Kind::TransportOffices: m_form = new CFRikuji(this); break;
    case Kind::Models:
    case Kind::PrintModels: m_form = new CFSyamei(this); break;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    m_form->list()->installEventFilter(this);

    switch (kind) {
    case Kind::Names:
    case Kind::Addresses: resize(340, 420); break;
    case Kind::TransportOffices: resize(135, 410); break;
    case Kind::Models:
    case Kind::PrintModels: {
        QComboBox* makes = static_cast<CFSyamei*>(m_form)->makes();
        makes->addItems(source.makes());
        const int stored = kv::data::openUserProfile()->value(kMakeEntry, 0).toInt();
        makes->setCurrentIndex(std::clamp(stored, 0, std::max(0, makes->count() - 1)));
        connect(makes, &QComboBox::currentIndexChanged, this, &CRefFrame::changeMake);
        resize(325, 419);
        break;
    }
    }
    m_form->fill(readRows());
    if (m_form->kanaButtons()) {
        // The names and addresses jump to ｱ; the models only show it pressed.
        if (kind == Kind::Names || kind == Kind::Addresses)
            m_form->jumpToKana(0);
        else
            m_form->kanaButtons()->press(0);
    }
}

CRefFrame::~CRefFrame()
{
    finish();
}

std::vector<ItemRow> CRefFrame::readRows()
{
    switch (m_kind) {
    case Kind::Names: return m_source.customerNames();
    case Kind::Addresses: return m_source.addresses();
    case Kind::TransportOffices: return m_source.transportOffices();
    case Kind::Models:
    case Kind::PrintModels: break;
    }
    return m_source.models(static_cast<CFSyamei*>(m_form)->makes()->currentIndex());
}

void CRefFrame::changeMake(int index)
{
    kv::data::openUserProfile()->setValue(kMakeEntry, index);
    m_form->fill(readRows());
}

void CRefFrame::reload()
{
    m_form->fill(readRows());
}

void CRefFrame::accept()
{
    const ItemRow* row = m_form->chosenRow();
    const std::optional<ItemRow> chosen = row ? std::optional<ItemRow>(*row) : std::nullopt;
    int make = 0;
    if (auto* models = qobject_cast<CFSyamei*>(m_form))
        make = models->makes()->currentIndex() + 1;
    Chosen handOver = std::move(m_chosen);
    close();
    // The opener is enabled again before it takes the value.
    if (handOver)
        handOver(chosen ? &*chosen : nullptr, make);
}

void CRefFrame::cancel()
{
    m_chosen = {};
    close();
}

bool CRefFrame::handleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return true;
    case Qt::Key_Escape: cancel(); return true;
    default: break;
    }
    if (m_form->kanaButtons() && modifiers == Qt::NoModifier && event->key() >= Qt::Key_0
        && event->key() <= Qt::Key_9) {
        m_form->jumpToKana(KanaIndex::buttonOfDigit(event->key() - Qt::Key_0));
        return true;
    }
    return false;
}

bool CRefFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form->list() && event->type() == QEvent::KeyPress
        && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CRefFrame::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void CRefFrame::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    ItemProfile().setPosition(profileSection(m_kind), pos());
    if (m_disabled)
        m_disabled->setEnabled(true);
}

void CRefFrame::closeEvent(QCloseEvent* event)
{
    finish();
    QWidget::closeEvent(event);
}

} // namespace kv::masters
