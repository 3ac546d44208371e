#include "ledger/ui/CMotoFrame.h"

#include "common/MessageGateway.h"
#include "controls/StatusPanes.h"
#include "controls/WindowCommand.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "ledger/ui/CDSetKuriZan.h"
#include "ledger/ui/CFMoto.h"
#include "records/RecordingTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

namespace kv::ledger {

namespace {

QString placementKey(const char* key)
{
    return QStringLiteral("Moto/") + QLatin1String(key);
}

} // namespace

CMotoFrame* CMotoFrame::open(data::CCarMaintenanceDoc& document, int customerCode,
                             QSettings* profile, QWidget* opener)
{
    LedgerAccess access(document);
    const LedgerAccess::Opened opened = access.open(customerCode);
    if (!opened.ok) {
        if (!opened.message.isEmpty())
            showMessage(opened.message);
        return nullptr;
    }
    Setup setup;
    setup.customerCode = customerCode;
    setup.customerName = opened.customerName;
    setup.ownsVehicles = opened.ownsVehicles;
    setup.profile = profile;
    if (opener)
        setup.origin = opener->window()->geometry().topLeft();
    auto* frame = new CMotoFrame(document, setup);
    if (!frame->m_form->load()) {
        access.close();
        delete frame;
        return nullptr;
    }
    if (opener) {
        frame->winId();
        frame->windowHandle()->setTransientParent(opener->window()->windowHandle());
    }
    return frame;
}

QString CMotoFrame::title(int customerCode, const QString& customerName)
{
    return QStringLiteral("元帳   顧客：%1  %2").arg(customerCode).arg(customerName);
}

CMotoFrame::CMotoFrame(data::CCarMaintenanceDoc& document, Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_setup(std::move(setup))
    , m_access(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    setWindowTitle(title(m_setup.customerCode, m_setup.customerName));

    CFMoto::Setup form;
    form.customerCode = m_setup.customerCode;
    form.profile = m_setup.profile;
    form.vehicleNames = document.settings().makes().entries();
    m_form = new CFMoto(document, m_access, std::move(form));
    setCentralWidget(m_form);
    new StatusPanes(statusBar());

    auto* tools = addToolBar(QStringLiteral("Moto"));
    tools->setObjectName(QStringLiteral("MotoToolBar"));
    const auto add = [&](const char* text, const char* tip, const QKeySequence& key,
                         std::function<void()> run) {
        tools->addAction(addCommand(QString::fromUtf8(text), QString::fromUtf8(tip), key, std::move(run)));
    };
    add("新規", "新規入力します", Qt::Key_F1, [this] { m_form->newEntry(); });
    add("修正", "修正します", Qt::Key_F2, [this] { m_form->focusList(); });
    add("削除", "削除します", Qt::Key_F3, [this] { m_form->deleteLine(); });
    tools->addSeparator();
    add("伝票番号検索", "伝票番号で検索します", Qt::Key_F4, [this] { m_form->searchSlip(); });
    add("保有車輌一覧", "表示中の顧客が保有する車輌の一覧を表示します", Qt::Key_F5,
        [this] { m_form->ownedVehicles(); });
    tools->addSeparator();
    add("伝票修正", "伝票を修正します", Qt::Key_F8, [this] { openSlip(); });
    tools->addSeparator();
    add("記録", "記録します", Qt::Key_F12, [this] { m_form->record(); });
    tools->addSeparator();
    add("繰越残高設定", "繰越残高を設定します", QKeySequence(Qt::ALT | Qt::Key_F2),
        [this] { setCarriedForward(); });
    add("閉じる", "ウィンドウを閉じます", QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
    for (int key : {Qt::Key_F1, Qt::Key_F2})
        m_byKey.value(key)->setCheckable(true);
    connect(m_form, &CFMoto::stateChanged, this, &CMotoFrame::updateCommands);

    QSettings* profile = m_setup.profile;
    const auto stored = [profile](const char* key, int fallback) {
        return profile ? profile->value(placementKey(key), fallback).toInt() : fallback;
    };
    resize(stored("cx", 800), stored("cy", 570));
    move(stored("x", m_setup.origin.x() + 7), stored("y", m_setup.origin.y() + 86));
    updateCommands();
}

CMotoFrame::~CMotoFrame() = default;

QAction* CMotoFrame::addCommand(const QString& text, const QString& tip, const QKeySequence& key,
                                std::function<void()> run)
{
    QAction* action = addWindowCommand(this, text, tip, key);
    // Run only while enabled: a key of a command that is off does nothing.
    connect(action, &QAction::triggered, this, [action, run = std::move(run)] {
        if (action->isEnabled())
            run();
    });
    m_byKey.insert(key[0].toCombined(), action);
    return action;
}

QAction* CMotoFrame::commandAction(const QKeySequence& key) const
{
    return m_byKey.value(key[0].toCombined());
}

void CMotoFrame::setSlipOpener(SlipOpener opener)
{
    m_slipOpener = std::move(opener);
    updateCommands();
}

void CMotoFrame::updateCommands()
{
    const bool lines = !m_form->rows().lines().empty();
    const bool modify = m_form->mode() == CFMoto::Mode::Modify;
    const auto enable = [this](int key, bool on) { m_byKey.value(key)->setEnabled(on); };
    m_byKey.value(Qt::Key_F1)->setChecked(!modify);
    m_byKey.value(Qt::Key_F2)->setChecked(modify);
    enable(Qt::Key_F2, lines);
    enable(Qt::Key_F3, modify);
    enable(Qt::Key_F4, lines);
    enable(Qt::Key_F5, m_setup.ownsVehicles);
    enable(Qt::Key_F8, bool(m_slipOpener) && m_form->selectedSlip() != 0);
    enable(Qt::Key_F12, m_form->canRecord());
}

void CMotoFrame::openSlip()
{
    const int slipNumber = m_form->selectedSlip();
    if (slipNumber == 0 || !m_slipOpener)
        return;
    QString message;
    const std::optional<LedgerAccess::LinkedSlip> slip = m_access.linkedSlip(slipNumber, &message);
    if (!slip) {
        showMessage(message);
        return;
    }
    m_closingForSlip = true;
    if (m_slipOpener(*slip)) {
        close();
        return;
    }
    m_closingForSlip = false;
    // A refused hand-over may have given back this computer's entry of the
    // customer's lock with the slip's.
    if (!m_access.reclaim(m_setup.customerCode)) {
        showMessage(records::RecordingTexts::dataEditedElsewhere);
        close();
    }
}

void CMotoFrame::setCarriedForward()
{
    CDSetKuriZan dialog(m_document, m_setup.customerCode, this);
    if (dialog.run())
        m_form->refreshCarriedForward();
}

void CMotoFrame::storePlacement()
{
    QSettings* profile = m_setup.profile;
    if (!profile || isMinimized() || isMaximized())
        return;
    profile->setValue(placementKey("x"), x());
    profile->setValue(placementKey("y"), y());
    profile->setValue(placementKey("cx"), width());
    profile->setValue(placementKey("cy"), height());
}

void CMotoFrame::closeEvent(QCloseEvent* event)
{
    storePlacement();
    // The slip window took this computer's entry for its own customer.
    if (!m_closingForSlip)
        m_access.close();
    emit closedWindow(m_closingForSlip);
    event->accept();
}

} // namespace kv::ledger
