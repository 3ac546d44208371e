#include "slips/ui/CDenFrame.h"

#include "common/MessageGateway.h"
#include "controls/StatusPanes.h"
#include "controls/WindowPlacement.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "print/PrintRunner.h"
#include "print/PrinterAccess.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipPrintPages.h"
#include "data/engine/DayNumber.h"
#include "slips/core/InvoiceArchive.h"
#include "slips/core/SlipPrintSource.h"
#include "slips/core/SlipRecorder.h"
#include "slips/print/SlipPrintout.h"
#include "slips/ui/CDSetDenPrintPos.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::slips {

namespace {

QString placementKey(const char* key)
{
    return QStringLiteral("Den/") + QLatin1String(key);
}

const QString kPrintOnlyQuestion = QStringLiteral("記録されませんが、印刷のみで本当によろしいですね？");
const QString kNoPrinter = QStringLiteral("プリンタがありません！\n印刷プレビューを表示しますか？");
const QString kPrinterRefused = QStringLiteral("印刷を開始できませんでした！\n印刷プレビューを表示しますか？");
const QString kSavePdf = QStringLiteral("PDFで保存しますか？");
const QString kArchiveFailed = QStringLiteral("発行した請求書の控えを保存できません！\n%1");

// The tool bar's buttons in two short lines, so that all of them fit the
// window at its first width.
QString buttonCaption(const QString& command)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("基本項目"), QStringLiteral("基本\n項目")},
        {QStringLiteral("行挿入"), QStringLiteral("行\n挿入")},
        {QStringLiteral("行切取"), QStringLiteral("行\n切取")},
        {QStringLiteral("行ｺﾋﾟｰ"), QStringLiteral("行\nｺﾋﾟｰ")},
        {QStringLiteral("行貼付"), QStringLiteral("行\n貼付")},
        {QStringLiteral("印刷のみ"), QStringLiteral("印刷\nのみ")},
        {QStringLiteral("記録のみ"), QStringLiteral("記録\nのみ")},
        {QStringLiteral("記録・印刷 連続"), QStringLiteral("記録・\n印刷連続")},
        {QStringLiteral("PDFで保存"), QStringLiteral("PDF\n保存")},
        {QStringLiteral("印刷プレビュー"), QStringLiteral("ﾌﾟﾚ\nﾋﾞｭｰ")},
        {QStringLiteral("印刷余白設定"), QStringLiteral("余白\n設定")},
        {QStringLiteral("作業・部品一覧表示"), QStringLiteral("部品\n一覧")},
        {QStringLiteral("作業・部品ｾｯﾄ一覧表示"), QStringLiteral("ｾｯﾄ\n一覧")},
        {QStringLiteral("区分一覧表示"), QStringLiteral("区分\n一覧")},
    };
    return captions.value(command, command);
}

} // namespace

CDenFrame::CDenFrame(data::CCarMaintenanceDoc& document, SlipAccess& access, Setup setup,
                     SlipHeaderPane& header, SlipLinesPane& lines, SlipTotalsPane& totals,
                     QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_access(access)
    , m_setup(std::move(setup))
    , m_header(header)
    , m_lines(lines)
    , m_photos(document.photoFolder(), m_setup.photoWorkFolder)
    , m_totals(totals)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_setup.title);

    m_upper = new QSplitter(Qt::Horizontal);
    m_upper->addWidget(m_header.widget());
    m_upper->addWidget(m_lines.widget());
    auto* panes = new QSplitter(Qt::Vertical);
    panes->addWidget(m_upper);
    panes->addWidget(m_totals.widget());
    m_panes = panes;
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("区分 15:鈑金 16:塗装　のみ鈑金ﾚﾊﾞﾚｰﾄが適用されます")));
    layout->addWidget(panes, 1);
    setCentralWidget(central);
    new StatusPanes(statusBar());

    auto* tools = addToolBar(QStringLiteral("Den"));
    tools->setObjectName(QStringLiteral("DenToolBar"));
    // Two lines of text a button, so that all of them fit the window.
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto place = [tools](QAction* action) {
        action->setIconText(buttonCaption(action->text()));
        tools->addAction(action);
    };
    auto* paneGroup = new QActionGroup(this);
    const auto paneCommand = [&](const QString& text, const QString& tip, Qt::Key key, Pane pane) {
        QAction* action = addCommand(text, tip, key, [this, pane] { switchTo(pane); });
        action->setCheckable(true);
        paneGroup->addAction(action);
        m_paneCommands[pane] = action;
        place(action);
    };
    paneCommand(QStringLiteral("基本項目"), QStringLiteral("基本項目を入力します"), Qt::Key_F1, Pane::Header);
    paneCommand(QStringLiteral("明細"), QStringLiteral("明細を入力します"), Qt::Key_F2, Pane::Lines);
    paneCommand(QStringLiteral("合計"), QStringLiteral("合計金額を入力します"), Qt::Key_F3, Pane::Totals);
    m_lineCommands = {
        addCommand(QStringLiteral("行挿入"), QStringLiteral("１行挿入します"), Qt::Key_F6, [this] { m_lines.insertRow(); }),
        addCommand(QStringLiteral("行切取"), QStringLiteral("１行切取って記憶します"), Qt::Key_F7, [this] { m_lines.cutRow(); }),
        addCommand(QStringLiteral("行ｺﾋﾟｰ"), QStringLiteral("１行ｺﾋﾟｰします"), Qt::Key_F8, [this] { m_lines.copyRow(); }),
        addCommand(QStringLiteral("行貼付"), QStringLiteral("１行貼付けます"), Qt::Key_F9, [this] { m_lines.pasteRow(); }),
    };
    for (QAction* action : std::as_const(m_lineCommands))
        place(action);
    QAction* printOnlyCommand = addCommand(QStringLiteral("印刷のみ"), QStringLiteral("印刷のみ行います"),
                                           Qt::Key_F10, [this] { printOnly(); });
    QAction* recordCommand = addCommand(QStringLiteral("記録のみ"), QStringLiteral("記録のみ行います"),
                                        Qt::Key_F11, [this] { recordOnly(); });
    QAction* bothCommand = addCommand(QStringLiteral("記録・印刷 連続"),
                                      QStringLiteral("記録と印刷を連続して行います"), Qt::Key_F12,
                                      [this] { recordAndPrint(); });
    QAction* pdfCommand = addCommand(QStringLiteral("PDFで保存"),
                                     QStringLiteral("伝票をPDFで保存します(Ctrl+S)"),
                                     QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveAsPdf(); });
    // The preview is offered after a refused job too, but a user checking
    // the page before printing needs it at hand.
    QAction* previewCommand = addCommand(QStringLiteral("印刷プレビュー"),
                                         QStringLiteral("伝票の印刷プレビューを表示します(Ctrl+P)"),
                                         QKeySequence(Qt::CTRL | Qt::Key_P), [this] { previewSlip(); });
    m_totalsCommands = {recordCommand};
    m_printCommands = {printOnlyCommand, bothCommand, pdfCommand, previewCommand};
    for (QAction* action : {printOnlyCommand, recordCommand, bothCommand, pdfCommand, previewCommand})
        place(action);
    tools->addSeparator();
    QAction* positionsCommand = addCommand(QStringLiteral("印刷余白設定"), QStringLiteral("印刷余白を設定します"),
                                           QKeySequence(Qt::ALT | Qt::Key_F1), [this] { editPrintPositions(); });
    place(positionsCommand);
    QAction* itemsCommand = addCommand(QStringLiteral("作業・部品一覧表示"),
                                       QStringLiteral("作業・部品の一覧を表示します(Ctrl+1)"),
                                       QKeySequence(Qt::CTRL | Qt::Key_1), [this] { m_lines.openItemList(); });
    itemsCommand->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_1),
                                QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_1))});
    QAction* setsCommand = addCommand(QStringLiteral("作業・部品ｾｯﾄ一覧表示"),
                                      QStringLiteral("作業・部品ｾｯﾄの一覧を表示します(Ctrl+2)"),
                                      QKeySequence(Qt::CTRL | Qt::Key_2), [this] { m_lines.openSetList(); });
    m_categoryCommand = addCommand(QStringLiteral("区分一覧表示"), QStringLiteral("区分の一覧を表示します(Ctrl+3)"),
                                   QKeySequence(Qt::CTRL | Qt::Key_3),
                                   [this] { m_lines.setCategoryListShown(m_categoryCommand->isChecked()); });
    m_categoryCommand->setCheckable(true);
    m_lineCommands << itemsCommand << setsCommand << m_categoryCommand;
    for (QAction* action : {itemsCommand, setsCommand, m_categoryCommand})
        place(action);
    QAction* closeCommand = addCommand(QStringLiteral("閉じる"), QStringLiteral("ウィンドウを閉じます"),
                                       QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
    place(closeCommand);

    QMenu* printMenu = menuBar()->addMenu(QStringLiteral("印刷(&P)"));
    for (QAction* action : {printOnlyCommand, bothCommand, pdfCommand, previewCommand})
        printMenu->addAction(action);
    printMenu->addSeparator();
    printMenu->addAction(positionsCommand);

    QSettings* profile = m_setup.profile;
    const auto stored = [profile](const char* key, int fallback) {
        return profile ? profile->value(placementKey(key), fallback).toInt() : fallback;
    };
    for (const int kind : {DeliveryNote, RoughEstimate, Estimate}) {
        for (int copy = 1; copy <= 3; ++copy) {
            const QString key = SlipPrintPages::profileKey(kind, copy);
            if (!key.isEmpty())
                m_copySelection.insert(key, stored(key.toLatin1().constData(), 1) == 1);
        }
    }
    WindowPlacement::restore(*this, profile, QStringLiteral("Den"), QSize(809, 584),
                             WindowPlacement::besideMainWindow(parent));
    if (stored("Maximize", 0) == 1)
        setWindowState(windowState() | Qt::WindowMaximized);
    activate(Pane::Header);
    // A pane the user clicks into is the active one, as for F1 to F3, so
    // that its commands follow it; recording still checks every pane.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (const std::optional<Pane> pane = paneOf(now); pane && *pane != m_active) {
            m_active = *pane;
            updateCommands();
        }
    });
}

CDenFrame::~CDenFrame()
{
    // The panes go with the children; focus moving meanwhile is not theirs.
    disconnect(m_focusWatch);
}

std::optional<CDenFrame::Pane> CDenFrame::paneOf(const QWidget* widget) const
{
    for (const auto& [pane, root] : {std::pair{Pane::Header, m_header.widget()},
                                     {Pane::Lines, m_lines.widget()},
                                     {Pane::Totals, m_totals.widget()}}) {
        if (widget && (widget == root || root->isAncestorOf(widget)))
            return pane;
    }
    return std::nullopt;
}

QAction* CDenFrame::addCommand(const QString& text, const QString& tip, const QKeySequence& key,
                               std::function<void()> run)
{
    auto* action = new QAction(text, this);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, std::move(run));
    addAction(action);
    if (!key.isEmpty())
        m_byKey.insert(key[0].toCombined(), action);
    return action;
}

QAction* CDenFrame::commandAction(int key) const
{
    return m_byKey.value(key);
}

void CDenFrame::activate(Pane pane)
{
    m_active = pane;
    switch (pane) {
    case Pane::Header: m_header.activate(); break;
    case Pane::Lines: m_lines.activate(); break;
    case Pane::Totals: m_totals.activate(); break;
    }
    updateCommands();
}

void CDenFrame::categoryListClosed()
{
    m_categoryCommand->setChecked(false);
}

void CDenFrame::updateCommands()
{
    if (const auto pressed = m_paneCommands.find(m_active); pressed != m_paneCommands.end())
        pressed->second->setChecked(true);
    for (QAction* action : std::as_const(m_lineCommands))
        action->setEnabled(m_active == Pane::Lines);
    for (QAction* action : std::as_const(m_totalsCommands))
        action->setEnabled(m_active == Pane::Totals);
    for (QAction* action : std::as_const(m_printCommands))
        action->setEnabled(m_active == Pane::Totals && m_setup.printers);
}

void CDenFrame::refusedIn(Pane pane)
{
    // The pane has put the focus on the field it refused; the clerk goes on
    // typing there, not in the pane's first field.
    m_active = pane;
    updateCommands();
}

bool CDenFrame::checkAll(HeaderValues* header, int* partsTotal, int* labourTotal)
{
    if (!m_header.validateHeader(header)) {
        refusedIn(Pane::Header);
        return false;
    }
    m_lines.setRates(header->labourRate, header->bodyWorkRate);
    if (!m_lines.checkLines(partsTotal, labourTotal)) {
        refusedIn(Pane::Lines);
        return false;
    }
    if (!m_totals.recalcAll(*partsTotal, *labourTotal)) {
        refusedIn(Pane::Totals);
        return false;
    }
    return true;
}

bool CDenFrame::switchTo(Pane pane)
{
    HeaderValues header;
    int parts = 0;
    int labour = 0;
    if (!checkAll(&header, &parts, &labour))
        return false;
    activate(pane);
    return true;
}

SlipRecording CDenFrame::recording(const HeaderValues& values) const
{
    SlipRecording slip;
    slip.mode = m_setup.mode;
    slip.customerCode = m_setup.customerCode;
    slip.categoryKind = values.categoryKind;
    data::SyaheadRow& h = slip.header;
    h.m_DenNo = m_setup.slipNumber;
    h.m_CarCode = m_setup.vehicleCode;
    h.m_SeiKokCode = m_setup.billingCode;
    values.writeInto(h, QTime::currentTime());
    m_totals.writeTotals(h);
    slip.photoWorkFolder = m_setup.photoWorkFolder;
    return slip;
}

std::optional<SlipRecording> CDenFrame::checkedSlip()
{
    HeaderValues values;
    int parts = 0;
    int labour = 0;
    if (!checkAll(&values, &parts, &labour))
        return std::nullopt;
    return recording(values);
}

bool CDenFrame::record(SlipRecording* slip)
{
    std::optional<SlipRecording> checked = checkedSlip();
    if (!checked)
        return false;
    *slip = std::move(*checked);
    if (!m_lines.storedLines(&slip->lines)) {
        refusedIn(Pane::Lines);
        return false;
    }
    const SlipRecorder::Outcome outcome = SlipRecorder(m_document).record(*slip);
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (!outcome.recorded)
        return false;
    // A second recording in this window rewrites the same slip.
    m_setup.mode = SlipMode::Modify;
    emit recorded(slip->header.m_DenNo, slip->movesInspectionExpiry());
    return true;
}

bool CDenFrame::recordOnly()
{
    SlipRecording slip;
    if (!record(&slip))
        return false;
    close();
    return true;
}

std::array<bool, 3> CDenFrame::selectedCopies(int kind) const
{
    std::array<bool, 3> copies{};
    for (int copy = 1; copy <= 3; ++copy)
        copies[size_t(copy - 1)] = m_copySelection.value(SlipPrintPages::profileKey(kind, copy), false);
    return copies;
}

std::unique_ptr<print::PagePainter> CDenFrame::printout(const SlipRecording& slip)
{
    const int kind = slip.header.m_DenKind;
    const std::array<bool, 3> copies = selectedCopies(kind);
    std::vector<std::array<QString, 7>> rows = m_lines.printedRows();
    if (SlipPrintPages(kind, int(rows.size()), copies).copyCount() == 0) {
        showMessage(SlipPrintPages::noCopyMessage());
        return nullptr;
    }
    SlipPrintSource::Outcome gathered =
        SlipPrintSource(m_document).gather(slip.header, slip.customerCode, std::move(rows), copies);
    if (!gathered.ok) {
        showMessage(gathered.message);
        return nullptr;
    }
    return std::make_unique<SlipPrintout>(std::move(gathered.data));
}

bool CDenFrame::writePdf(print::PagePainter& printout)
{
    const std::optional<QString> path = m_setup.printers->choosePdfFile(
        QStringLiteral("伝票") + QString::asprintf("%06d.pdf", m_setup.slipNumber));
    if (!path)
        return false;
    QString error;
    if (!print::PrintRunner::writePdf(printout, *path, &error)) {
        showMessage(error);
        return false;
    }
    return true;
}

void CDenFrame::archiveIssued(print::PagePainter& printout)
{
    const auto* slip = dynamic_cast<const SlipPrintout*>(&printout);
    if (!slip || !slip->isQualifiedInvoice())
        return;
    const SlipPrintData& d = slip->data();
    QString error;
    const auto write = [&printout](const QString& path, QString* why) {
        return print::PrintRunner::writePdf(printout, path, why);
    };
    if (!InvoiceArchive(m_document.settings().dataFolder())
             .keep(d.slip.m_DenNo, data::fromDayNumber(d.slip.m_HatuDate).date().year(), d.billing.m_KokCode,
                   InvoiceArchive::fingerprintOf(d), d.corrected, write, &error))
        showMessage(kArchiveFailed.arg(error));
}

bool CDenFrame::sendOut(print::PagePainter& printout)
{
    print::PrinterAccess& printers = *m_setup.printers;
    // The window waits while its pages go out.
    setEnabled(false);
    const bool hasPrinter = printers.hasPrinter();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = hasPrinter && printers.print(printout);
    QApplication::restoreOverrideCursor();
    // A preview hands nothing over, so only paper or a PDF is an issue.
    bool issued = done;
    if (!done) {
        if (askYesNo(hasPrinter ? kPrinterRefused : kNoPrinter, false)) {
            printers.preview(printout);
            done = true;
        } else if (askYesNo(kSavePdf, false)) {
            done = issued = writePdf(printout);
        }
    }
    if (issued)
        archiveIssued(printout);
    setEnabled(true);
    return done;
}

bool CDenFrame::recordAndPrint()
{
    if (!m_setup.printers)
        return false;
    SlipRecording slip;
    if (!record(&slip))
        return false;
    const std::unique_ptr<print::PagePainter> pages = printout(slip);
    if (!pages || !sendOut(*pages))
        return false;
    close();
    return true;
}

bool CDenFrame::printOnly()
{
    if (!m_setup.printers || !askYesNo(kPrintOnlyQuestion, true))
        return false;
    const std::optional<SlipRecording> slip = checkedSlip();
    if (!slip)
        return false;
    const std::unique_ptr<print::PagePainter> pages = printout(*slip);
    if (!pages || !sendOut(*pages))
        return false;
    QString error;
    if (!SlipPrintSource(m_document).notePrintedOnly(*slip, &error))
        showMessage(error);
    close();
    return true;
}

std::unique_ptr<print::PagePainter> CDenFrame::checkedPrintout()
{
    if (!m_setup.printers)
        return nullptr;
    const std::optional<SlipRecording> slip = checkedSlip();
    return slip ? printout(*slip) : nullptr;
}

bool CDenFrame::saveAsPdf()
{
    const std::unique_ptr<print::PagePainter> pages = checkedPrintout();
    if (!pages || !writePdf(*pages))
        return false;
    archiveIssued(*pages);
    return true;
}

bool CDenFrame::previewSlip()
{
    const std::unique_ptr<print::PagePainter> pages = checkedPrintout();
    if (!pages)
        return false;
    m_setup.printers->preview(*pages);
    return true;
}

void CDenFrame::editPrintPositions()
{
    CDSetDenPrintPos dialog(m_document.settings(), this);
    dialog.exec();
}

void CDenFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_panesPlaced)
        return;
    // Once the window has its size, so that the panes get the sizes kept.
    m_panesPlaced = true;
    QSettings* profile = m_setup.profile;
    const auto stored = [profile](const char* key, int fallback) {
        return profile ? profile->value(placementKey(key), fallback).toInt() : fallback;
    };
    // The header and the totals keep their sizes; the lines take the rest.
    const int header = stored("Kihoncx", 205);
    const int totals = stored("Totcy", 168);
    m_upper->setSizes({header, std::max(1, m_upper->width() - header - m_upper->handleWidth())});
    m_panes->setSizes({std::max(1, m_panes->height() - totals - m_panes->handleWidth()), totals});
}

void CDenFrame::storePlacement()
{
    QSettings* profile = m_setup.profile;
    if (!profile || isMinimized())
        return;
    profile->setValue(placementKey("Maximize"), isMaximized() ? 1 : 0);
    if (!isMaximized()) {
        profile->setValue(placementKey("x"), x());
        profile->setValue(placementKey("y"), y());
        profile->setValue(placementKey("cx"), width());
        profile->setValue(placementKey("cy"), height());
    }
    const QList<int> columns = m_upper->sizes();
    const QList<int> rows = m_panes->sizes();
    profile->setValue(placementKey("Kihoncx"), columns.value(0));
    profile->setValue(placementKey("Kihoncy"), rows.value(0));
    profile->setValue(placementKey("Meisaicx"), columns.value(1));
    profile->setValue(placementKey("Meisaicy"), rows.value(0));
    profile->setValue(placementKey("Totcx"), width());
    profile->setValue(placementKey("Totcy"), rows.value(1));
}

void CDenFrame::closeEvent(QCloseEvent* event)
{
    storePlacement();
    m_access.close();
    QString ignored; // a work copy left behind goes with the next slip opened
    if (!m_setup.photoWorkFolder.isEmpty())
        m_photos.clearWork(&ignored);
    emit closedWindow();
    event->accept();
}

} // namespace kv::slips
