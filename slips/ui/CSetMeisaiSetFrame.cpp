#include "slips/ui/CSetMeisaiSetFrame.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldVerdict.h"
#include "data/settings/SettingsStore.h"
#include "masters/CMeisaiSetRefFrame.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/SetRules.h"
#include "masters/core/SetStore.h"
#include "slips/ui/CFSetMeisaiSet.h"
#include "slips/ui/CMeisaiScView.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QSettings>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

namespace kv::slips {
namespace {

QPointer<CSetMeisaiSetFrame> g_openWindow;

QString placementKey(const char* key)
{
    return QStringLiteral("SetMeisaiSet/") + QLatin1String(key);
}

// The other computer's write is visible by then.
constexpr int kUpdateWaitMs = 3000;
constexpr int kDeleteWaitMs = 2000;

masters::ItemOrder setListOrder()
{
    return masters::ItemProfile().listOrder(QStringLiteral("MeisaiSetSortKind"),
                                            masters::ItemOrder::Code);
}

} // namespace

CSetMeisaiSetFrame::CSetMeisaiSetFrame(const Setup& setup, QWidget* parent)
    : QMainWindow(parent),
      m_sets(*setup.sets),
      m_editor(*setup.sets, *setup.announcer),
      m_profile(setup.profile),
      m_header(new CFSetMeisaiSet),
      m_grid(new CMeisaiScView(setup.profile)),
      m_panes(new QSplitter(Qt::Vertical, this))
{
    setWindowTitle(masters::SetRules::kindTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    m_grid->setContext(masters::GridContext::Set);
    m_grid->setCategories(setup.settings->categories());
    m_grid->setRounding(setup.settings->rounding());
    // The set editor works with the shop's default rates.
    m_grid->setRates(setup.settings->shop().labourRate, setup.settings->shop().bodyWorkRate);
    m_grid->setItemStore(setup.items);
    m_grid->setSetStore(setup.sets);
    m_panes->addWidget(m_header);
    m_panes->addWidget(m_grid);
    m_panes->setChildrenCollapsible(false);
    setCentralWidget(m_panes);

    QToolBar* tools = addToolBar(QStringLiteral("ツールバー"));
    tools->setMovable(false);
    tools->addAction(addCommand(QStringLiteral("基本項目"), Qt::Key_F1, [this] { activateHeader(); }));
    tools->addAction(addCommand(QStringLiteral("明細"), Qt::Key_F2, [this] { activateLines(); }));
    m_new = addCommand(QStringLiteral("新規"), Qt::Key_F3, [this] { newSet(); });
    m_modify = addCommand(QStringLiteral("修正"), Qt::Key_F4, [this] { modifySet(); });
    m_delete = addCommand(QStringLiteral("削除"), Qt::Key_F5, [this] { deleteSet(); });
    for (QAction* state : {m_new, m_modify, m_delete}) {
        state->setCheckable(true);
        tools->addAction(state);
    }
    tools->addAction(addCommand(QStringLiteral("行挿入"), Qt::Key_F6, [this] { m_grid->insertLine(); }));
    tools->addAction(addCommand(QStringLiteral("行切取"), Qt::Key_F7, [this] { m_grid->cutLine(); }));
    tools->addAction(addCommand(QStringLiteral("行ｺﾋﾟｰ"), Qt::Key_F8, [this] { m_grid->copyLine(); }));
    tools->addAction(addCommand(QStringLiteral("行貼付"), Qt::Key_F9, [this] { m_grid->pasteLine(); }));
    tools->addAction(addCommand(QStringLiteral("記録"), Qt::Key_F12, [this] { recordSet(); }));
    tools->addSeparator();
    tools->addAction(addCommand(QStringLiteral("作業・部品"), QKeySequence(Qt::CTRL | Qt::Key_1),
                                [this] { m_grid->openItemList(); }));
    tools->addAction(addCommand(QStringLiteral("ｾｯﾄ"), QKeySequence(Qt::CTRL | Qt::Key_2),
                                [this] { m_grid->openSetList(); }));
    m_categories = addCommand(QStringLiteral("区分"), QKeySequence(Qt::CTRL | Qt::Key_3),
                              [this] { setCategoryListShown(m_categories->isChecked()); });
    m_categories->setCheckable(true);
    tools->addAction(m_categories);

    connectFields();
    connect(m_grid, &CMeisaiScView::categoryListClosed, this, [this] {
        if (!m_closed)
            m_categories->setChecked(false);
    });

    const auto value = [this](const char* key, int fallback) {
        return m_profile ? m_profile->value(placementKey(key), fallback).toInt() : fallback;
    };
    move(value("x", setup.fallbackPosition.x()), value("y", setup.fallbackPosition.y()));
    resize(value("cx", 588), value("cy", 570));
    m_panes->setSizes({value("SetMeisaiSetcy", 95), value("Meisaicy", 376)});

    m_editor.open();
    showFields();
    updateCommands();
    if (masters::ItemProfile().isShown(
            masters::ItemProfile::gridCategorySection(masters::GridContext::Set))) {
        m_categories->setChecked(true);
        setCategoryListShown(true);
    }
    g_openWindow = this;
    QTimer::singleShot(0, this, [this] { activateHeader(); });
}

CSetMeisaiSetFrame::~CSetMeisaiSetFrame()
{
    if (g_openWindow == this)
        g_openWindow = nullptr;
}

CSetMeisaiSetFrame* CSetMeisaiSetFrame::openInstance()
{
    return g_openWindow.data();
}

QAction* CSetMeisaiSetFrame::addCommand(const QString& text, const QKeySequence& key,
                                        std::function<void()> run)
{
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    addAction(action);
    m_byKey.insert(key[0].toCombined(), action);
    return action;
}

QAction* CSetMeisaiSetFrame::commandAction(int key) const
{
    return m_byKey.value(key);
}

void CSetMeisaiSetFrame::connectFields()
{
    m_header->codeEdit()->setExitCheck([this](const QString& text) {
        if (m_closed)
            return FieldVerdict::accept(text);
        readFields();
        std::optional<masters::SetEditor::Lines> loaded;
        const masters::FieldOutcome outcome = m_editor.leaveCode(text, &loaded);
        if (loaded) {
            showLines(*loaded);
            showFields();
        }
        updateCommands();
        m_header->countLabel()->setText(m_editor.countLabel());
        switch (outcome.kind) {
        case masters::FieldOutcome::Refused:
            return FieldVerdict::refuse(outcome.message, outcome.text);
        case masters::FieldOutcome::FocusBack:
            QTimer::singleShot(0, this, [this] {
                if (!m_closed)
                    m_header->codeEdit()->setFocus(Qt::OtherFocusReason);
            });
            break;
        case masters::FieldOutcome::Accepted: break;
        }
        return FieldVerdict::accept(outcome.text);
    });
}

void CSetMeisaiSetFrame::readFields()
{
    m_editor.name = m_header->nameEdit()->text();
    m_editor.reading = m_header->readingEdit()->text();
}

void CSetMeisaiSetFrame::showFields()
{
    m_header->codeEdit()->setText(m_editor.codeText());
    m_header->nameEdit()->setText(m_editor.name);
    m_header->readingEdit()->setText(m_editor.reading);
    m_header->countLabel()->setText(m_editor.countLabel());
}

void CSetMeisaiSetFrame::showLines(const masters::SetEditor::Lines& lines)
{
    m_grid->clearLines();
    m_grid->expandSetAt(0, lines);
}

void CSetMeisaiSetFrame::clearGrid()
{
    m_grid->clearLines();
    m_grid->setCurrentCell(0, 0);
}

void CSetMeisaiSetFrame::applyFocusRequest()
{
    switch (m_editor.takeFocusRequest()) {
    case masters::SetField::Code: activateHeader(); break;
    case masters::SetField::Name: m_header->nameEdit()->setFocus(Qt::OtherFocusReason); break;
    case masters::SetField::Reading:
        m_header->readingEdit()->setFocus(Qt::OtherFocusReason);
        break;
    case masters::SetField::Lines: activateLines(); break;
    case masters::SetField::None: break;
    }
}

void CSetMeisaiSetFrame::updateCommands()
{
    const masters::SetState state = m_editor.state();
    m_new->setChecked(!m_choosing && state == masters::SetState::New);
    m_modify->setChecked(m_choosing || state == masters::SetState::Modify);
    m_delete->setChecked(!m_choosing && state == masters::SetState::Delete);
    m_delete->setEnabled(!m_choosing && state == masters::SetState::Modify);
}

void CSetMeisaiSetFrame::activateHeader()
{
    // Coming back from the set pick list.
    if (isVisible() && !isActiveWindow())
        activateWindow();
    m_header->codeEdit()->setFocus(Qt::OtherFocusReason);
    m_header->codeEdit()->selectAll();
}

void CSetMeisaiSetFrame::activateLines()
{
    m_grid->focusCurrentCell();
}

void CSetMeisaiSetFrame::newSet()
{
    if (!m_editor.newSet())
        return;
    clearGrid();
    showFields();
    updateCommands();
    activateHeader();
}

void CSetMeisaiSetFrame::modifySet()
{
    readFields();
    if (!m_editor.startModify()) {
        updateCommands();
        return;
    }
    clearGrid();
    showFields();
    m_choosing = true;
    updateCommands();
    auto* list = masters::CMeisaiSetRefFrame::open(
        m_sets, masters::SetListContext::Modify, this,
        [this](const QList<int>& codes) {
            m_choosing = false;
            const auto lines = m_editor.chooseForModify(codes.front());
            if (lines) {
                showLines(*lines);
                showFields();
            }
            updateCommands();
            activateHeader();
        },
        [this] {
            m_choosing = false;
            updateCommands();
            activateHeader();
        });
    if (!list) {
        m_choosing = false;
        updateCommands();
    }
}

void CSetMeisaiSetFrame::deleteSet()
{
    if (m_editor.state() != masters::SetState::Modify)
        return;
    const auto lines = m_editor.beginDelete();
    if (!lines) {
        updateCommands();
        return;
    }
    showLines(*lines);
    showFields();
    updateCommands();
    if (m_editor.confirmDelete()) {
        clearGrid();
        showFields();
        updateCommands();
        activateHeader();
        return;
    }
    updateCommands();
}

bool CSetMeisaiSetFrame::recordSet()
{
    // A shortcut leaves the focus where it was: that field's rule runs
    // first, as leaving it would have run it.
    if (auto* field = qobject_cast<CEditEx*>(focusWidget());
        field && field->window() == this && field->parentWidget() == m_header)
        if (!field->checkField())
            return false;
    readFields();
    if (!m_editor.checkHeader()) {
        applyFocusRequest();
        return false;
    }
    masters::SetEditor::Lines lines;
    if (!m_grid->checkLines(nullptr, nullptr) || !m_grid->storedLines(&lines)) {
        activateLines();
        return false;
    }
    const bool recorded = m_editor.record(lines);
    if (recorded && m_editor.state() == masters::SetState::New) {
        clearGrid();
        activateHeader();
    } else {
        applyFocusRequest();
    }
    showFields();
    updateCommands();
    return recorded;
}

void CSetMeisaiSetFrame::setsChanged(bool deleted)
{
    QTimer::singleShot(deleted ? kDeleteWaitMs : kUpdateWaitMs, this, [this] {
        if (m_closed)
            return;
        m_editor.refreshCount();
        m_header->countLabel()->setText(m_editor.countLabel());
    });
}

void CSetMeisaiSetFrame::setCategoryListShown(bool shown)
{
    m_grid->setCategoryListShown(shown);
}

void CSetMeisaiSetFrame::storePlacement()
{
    if (!m_profile || isMinimized() || isMaximized())
        return;
    m_profile->setValue(placementKey("x"), x());
    m_profile->setValue(placementKey("y"), y());
    m_profile->setValue(placementKey("cx"), width());
    m_profile->setValue(placementKey("cy"), height());
    m_profile->setValue(placementKey("SetMeisaiSetcx"), m_header->width());
    m_profile->setValue(placementKey("SetMeisaiSetcy"), m_header->height());
    m_profile->setValue(placementKey("Meisaicx"), m_grid->width());
    m_profile->setValue(placementKey("Meisaicy"), m_grid->height());
}

void CSetMeisaiSetFrame::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        if (!m_editor.close(setListOrder())) {
            event->ignore();
            return;
        }
        m_closed = true;
        storePlacement();
        m_grid->closeCategoryList();
        if (g_openWindow == this)
            g_openWindow = nullptr;
        emit closedWindow();
    }
    QMainWindow::closeEvent(event);
}

} // namespace kv::slips
