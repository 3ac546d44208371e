#include "ledger/ui/CFMoto.h"

#include "common/MessageGateway.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldChecks.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "ledger/core/LedgerAccess.h"
#include "ledger/core/LedgerAmounts.h"
#include "ledger/core/LedgerRecorder.h"
#include "ledger/core/LedgerTexts.h"
#include "ledger/ui/CDDennoSearch.h"
#include "ledger/ui/LedgerListModel.h"
#include "records/RecordingTexts.h"
#include "records/TypedDate.h"
#include "records/search/CDHoyu.h"
#include "records/search/VehicleSearch.h"
#include "slips/core/SlipHeaderRules.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

namespace kv::ledger {

namespace {

using F = EntryField;

constexpr int kTextBytes = 8;
constexpr int kKanaBytes = 2;
constexpr int kNoteBytes = 20;

const QString kNoVehicles = QStringLiteral("保有車輌がありません！");
const QString kSalesCaption = QStringLiteral("差引合計");
const QString kPaymentsCaption = QStringLiteral("入金合計");

// An amount the user types: where it goes, what leaving it recomputes.
struct Amount {
    F which;
    int LedgerEntry::*value;
    int RememberedAmounts::*remembered;
    RecalcCause cause;
    const char* caption;
};

const Amount kAmounts[] = {
    {F::Buhin, &LedgerEntry::buhin, &RememberedAmounts::buhin, RecalcCause::Sales, "部  品(&V)"},
    {F::Koutin, &LedgerEntry::koutin, &RememberedAmounts::koutin, RecalcCause::Sales, "工  賃"},
    {F::Sonota, &LedgerEntry::sonota, &RememberedAmounts::sonota, RecalcCause::Sales, "その他"},
    {F::Zei, &LedgerEntry::zei, &RememberedAmounts::zei, RecalcCause::Tax, "消費税"},
    {F::HikaSyohi, &LedgerEntry::hikaSyohi, &RememberedAmounts::hikaSyohi, RecalcCause::Costs, "非課諸費"},
    {F::KaSyohi, &LedgerEntry::kaSyohi, &RememberedAmounts::kaSyohi, RecalcCause::Costs, "課税諸費"},
    {F::SyoZei, &LedgerEntry::syoZei, &RememberedAmounts::syoZei, RecalcCause::Costs, "諸費消税"},
    {F::Nyu, &LedgerEntry::nyu, &RememberedAmounts::nyu, RecalcCause::Payments, "入  金(&B)"},
    {F::NyuCho, &LedgerEntry::nyuCho, &RememberedAmounts::nyuCho, RecalcCause::Payments, "入金調整"},
};

const Amount* amountOf(F which)
{
    for (const Amount& amount : kAmounts) {
        if (amount.which == which)
            return &amount;
    }
    return nullptr;
}

IntegerField integerOf(F which)
{
    IntegerField field;
    switch (which) {
    case F::CarCode:
        field.maximum = 999999;
        field.message = QStringLiteral("0から999999迄の整数を入力してくだい！");
        field.resetText = QStringLiteral("0");
        break;
    case F::Rno:
    case F::Preno:
        field.maximum = which == F::Rno ? 999 : 9999;
        field.message = LedgerEntry::rangeMessage(which);
        field.emptyWhenZero = true;
        break;
    default: {
        const int limit = which == F::HikaSyohi || which == F::KaSyohi || which == F::SyoZei
            ? LedgerEntry::kCostLimit
            : LedgerEntry::kAmountLimit;
        field.minimum = -limit;
        field.maximum = limit;
        field.message = LedgerEntry::rangeMessage(which);
        field.resetText = QStringLiteral("0");
        field.style = IntegerStyle::Grouped;
    }
    }
    return field;
}

// The date as the slip header reads it: complete dates are rewritten
// "YY/MM/DD", an empty field is left to the check before recording.
FieldVerdict dateOnLeave(const QString& text)
{
    const records::TypedDate parts = records::TypedDate::parse(text);
    if (parts.isEmpty())
        return FieldVerdict::accept(QString());
    if (parts.isInvalid() || parts.month == 0 || parts.day == 0)
        return FieldVerdict::refuse(slips::SlipHeaderRules::invalidDateMessage(), QString());
    return FieldVerdict::accept(parts.canonical(false));
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yy/MM/dd")) : QString();
}

// Rewrites a field only when its text changes; a focused field keeps its
// whole text selected, so that typing replaces it.
void setFieldText(CEditEx* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    edit->setText(text);
    if (edit->hasFocus())
        edit->selectAll();
}

} // namespace

CFMoto::CFMoto(data::CCarMaintenanceDoc& document, LedgerAccess& access, Setup setup,
               QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_access(access)
    , m_setup(std::move(setup))
{
    buildLayout();
    attachBehaviour();
}

CFMoto::~CFMoto() = default;

void CFMoto::buildLayout()
{
    m_list = new CListCtrlEx;
    m_model = new LedgerListModel(m_setup.profile,
                                  m_list->widthForText(LedgerListModel::widestAmount()), m_list);
    m_list->setRows(m_model);
    m_list->installEventFilter(this);

    const auto shownField = [] {
        auto* edit = new CEditEx;
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Disabled, QPalette::Base, QColor(192, 192, 192));
        edit->setPalette(palette);
        return edit;
    };
    m_carried = shownField();
    m_total = shownField();
    m_result = shownField();
    for (CEditEx* shown : {m_carried, m_total, m_result})
        shown->setFixedWidth(100);

    auto* date = new CNumericEditEx;
    date->setInputMode(CEditEx::InputMode::Direct);
    date->setMaxLength(8);
    m_fields[F::Date] = date;
    m_category = new CComboBoxEn;
    for (F number : {F::CarCode, F::Rno, F::Preno}) {
        auto* edit = new CNumericEditEx;
        edit->setInputMode(CEditEx::InputMode::Direct);
        edit->setMaxLength(number == F::CarCode ? 6 : 4);
        m_fields[number] = edit;
    }
    for (auto [text, bytes] : {std::pair{F::Rikuji, kTextBytes}, std::pair{F::Kana, kKanaBytes},
                               std::pair{F::Tekiyo, kNoteBytes}}) {
        auto* edit = new CEditEx;
        edit->setInputMode(CEditEx::InputMode::Japanese);
        edit->setByteLimit(bytes);
        m_fields[text] = edit;
    }
    for (const Amount& amount : kAmounts) {
        auto* edit = new CNumericEditEx;
        edit->setInputMode(CEditEx::InputMode::Direct);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(11);
        m_fields[amount.which] = edit;
    }

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    const auto captioned = [grid](const QString& caption, QWidget* field, int row, int column,
                                  int span = 1) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1, 1, span);
    };
    captioned(QStringLiteral("日  付(&Z)"), m_fields[F::Date], 0, 0);
    captioned(QStringLiteral("入庫区分(&X)"), m_category, 0, 2);
    captioned(QStringLiteral("車輌ｺｰﾄﾞ(&C)"), m_fields[F::CarCode], 0, 4);
    auto* plate = new QHBoxLayout;
    for (F part : {F::Rikuji, F::Rno, F::Kana, F::Preno})
        plate->addWidget(m_fields[part]);
    grid->addWidget(new QLabel(QStringLiteral("登 録 番 号")), 0, 6);
    plate->addStretch(1);
    grid->addLayout(plate, 0, 7, 1, 3);
    int at = 0;
    for (const Amount& amount : kAmounts) {
        // Sales on the second line, costs on the third, payments on the fourth.
        const int row = at < 4 ? 1 : at < 7 ? 2 : 3;
        const int column = (at < 4 ? at : at < 7 ? at - 4 : at - 7) * 2;
        captioned(QString::fromUtf8(amount.caption), m_fields[amount.which], row, column);
        ++at;
    }
    grid->addWidget(new QLabel(QStringLiteral("合  計")), 2, 6);
    grid->addWidget(m_total, 2, 7);
    m_resultCaption = new QLabel(kSalesCaption);
    grid->addWidget(m_resultCaption, 3, 6);
    grid->addWidget(m_result, 3, 7);
    captioned(QStringLiteral("摘  要(&N)"), m_fields[F::Tekiyo], 4, 0, 5);
    grid->setColumnStretch(10, 1);
    // Wide enough for the largest value of each field, no wider.
    const std::pair<F, int> widths[] = {{F::Date, 80}, {F::CarCode, 70}, {F::Rikuji, 70},
                                        {F::Rno, 40}, {F::Kana, 30}, {F::Preno, 50},
                                        {F::Tekiyo, 200}};
    for (const auto& [which, width] : widths)
        m_fields[which]->setFixedWidth(width);
    for (const Amount& amount : kAmounts)
        m_fields[amount.which]->setFixedWidth(100);
    m_category->setFixedWidth(140);

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("繰越残高")));
    top->addWidget(m_carried);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(grid);

    QList<QWidget*> order = {m_list, m_fields[F::Date], m_category, m_fields[F::CarCode],
                             m_fields[F::Rikuji], m_fields[F::Rno], m_fields[F::Kana],
                             m_fields[F::Preno]};
    for (const Amount& amount : kAmounts)
        order.append(m_fields[amount.which]);
    order.append(m_fields[F::Tekiyo]);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CFMoto::attachBehaviour()
{
    m_fields[F::Date]->setExitCheck(dateOnLeave);
    for (F number : {F::CarCode, F::Rno, F::Preno})
        m_fields[number]->setExitCheck(integerFieldCheck(integerOf(number)));
    connect(m_fields[F::CarCode], &CEditEx::left, this, &CFMoto::onVehicleLeft);
    for (const Amount& amount : kAmounts) {
        CEditEx* edit = m_fields[amount.which];
        edit->setExitCheck(integerFieldCheck(integerOf(amount.which)));
        connect(edit, &CEditEx::left, this, [this, which = amount.which] { onAmountLeft(which); });
    }
    connect(m_category, &QComboBox::currentIndexChanged, this, &CFMoto::onCategoryChosen);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_quiet)
            return;
        const int row = m_list->currentRow();
        if (row >= 0)
            selectLine(row);
    });
    if (m_setup.profile) {
        connect(m_list, &CListCtrlEx::columnWidthChosen, this, [this](int column, int width) {
            m_setup.profile->setValue(LedgerListModel::widthKey(column), width);
        });
    }
}

CEditEx* CFMoto::field(EntryField which) const
{
    const auto it = m_fields.find(which);
    return it == m_fields.end() ? nullptr : it->second;
}

bool CFMoto::load()
{
    QString error;
    std::optional<LedgerRows> rows = LedgerRows::load(m_document, m_setup.customerCode, &error);
    if (!rows) {
        showMessage(error);
        return false;
    }
    m_rows = std::move(*rows);
    m_quiet = true;
    m_category->clear();
    for (const slips::JobCategory& category : m_rows.categories())
        m_category->addItem(category.name, category.code);
    m_quiet = false;
    showCarriedForward();
    showList();
    newEntry();
    return true;
}

void CFMoto::showList()
{
    m_quiet = true;
    m_model->show(m_rows);
    m_quiet = false;
    const int selected = m_mode == Mode::Modify ? m_rows.indexOfId(m_currentId) : -1;
    makeCurrent(selected >= 0 ? selected : int(m_rows.lines().size()) - 1, selected >= 0);
}

void CFMoto::makeCurrent(int row, bool select)
{
    m_quiet = true;
    if (row < 0 || row >= m_model->rowCount()) {
        m_list->clearSelection();
    } else if (select) {
        m_list->selectRow(row);
    } else {
        const QModelIndex index = m_model->index(row, 0);
        m_list->selectionModel()->clearSelection();
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_list->scrollTo(index);
    }
    m_quiet = false;
}

void CFMoto::showCarriedForward()
{
    m_carried->setText(groupedAmount(m_rows.carriedForward()));
}

const slips::JobCategory* CFMoto::chosenCategory() const
{
    const int index = m_category->currentIndex();
    return index < 0 ? nullptr : m_rows.category(m_category->itemData(index).toInt());
}

void CFMoto::newEntry()
{
    m_mode = Mode::New;
    m_currentId = 0;
    m_linkedSlip = 0;
    makeCurrent(int(m_rows.lines().size()) - 1, false);
    m_entry = LedgerEntry{};
    m_entry.date = QDate::currentDate();
    if (!m_rows.categories().empty()) {
        m_entry.categoryCode = m_rows.categories().front().code;
        m_entry.categoryKind = m_rows.categories().front().kind;
    }
    m_remembered = {};
    showEntry();
    applyLayout(m_entry.isPayment());
    focusField(F::Date);
    emit stateChanged();
}

void CFMoto::focusList()
{
    if (m_model->rowCount() == 0)
        return;
    if (m_list->currentRow() < 0) {
        const QModelIndex current = m_list->currentIndex();
        m_list->selectRow(current.isValid() ? current.row() : m_model->rowCount() - 1);
    }
    m_list->setFocus(Qt::OtherFocusReason);
}

void CFMoto::selectLine(int row)
{
    const LedgerLine& line = m_rows.lines()[size_t(row)];
    const std::optional<data::ToriJnlRow> stored = m_access.row(line.id);
    if (!stored) {
        showMessage(LedgerTexts::rowGone);
        newEntry();
        return;
    }
    m_mode = Mode::Modify;
    m_currentId = line.id;
    m_linkedSlip = stored->m_DenFlag == 1 ? stored->m_DenNo : 0;
    const slips::JobCategory* category = m_rows.category(stored->m_NyuukoKbnCode);
    m_entry = LedgerEntry::fromRow(*stored, category ? category->kind : 0);
    m_remembered = m_entry.amounts();
    showEntry();
    applyLayout(m_entry.isPayment());
    emit stateChanged();
}

bool CFMoto::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && !m_quiet) {
        // The list marks its current line while it has the focus, and
        // keeps it marked afterwards only while that line is being changed.
        if (event->type() == QEvent::FocusIn && m_list->currentRow() < 0
            && m_model->rowCount() > 0) {
            const QModelIndex current = m_list->currentIndex();
            m_list->selectRow(current.isValid() ? current.row() : m_model->rowCount() - 1);
        } else if (event->type() == QEvent::FocusOut && m_mode == Mode::New) {
            makeCurrent(m_list->currentIndex().row(), false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CFMoto::applyLayout(bool payment)
{
    m_resultCaption->setText(payment ? kPaymentsCaption : kSalesCaption);
    for (auto& [which, edit] : m_fields) {
        const bool kept = which == F::Date || which == F::Nyu || which == F::NyuCho
            || which == F::Tekiyo;
        edit->setEnabled(!payment || kept);
    }
    m_total->setEnabled(!payment);
}

void CFMoto::onCategoryChosen()
{
    if (m_quiet)
        return;
    const slips::JobCategory* category = chosenCategory();
    const bool payment = category && category->kind == LedgerEntry::kPaymentKind;
    if (payment) {
        m_entry.clearSales();
        for (F sales : {F::CarCode, F::Rikuji, F::Rno, F::Kana, F::Preno, F::Buhin, F::Koutin,
                        F::Sonota, F::Zei, F::HikaSyohi, F::KaSyohi, F::SyoZei})
            m_fields[sales]->setText(writeIntegerField(integerOf(sales), 0));
        m_fields[F::Rikuji]->clear();
        m_fields[F::Kana]->clear();
    }
    applyLayout(payment);
    // The result changes its meaning with the layout: 入金合計 or 差引合計.
    if (recalc(RecalcCause::All))
        showEntry();
}

bool CFMoto::readEntry(LedgerEntry* entry)
{
    *entry = m_entry;
    const slips::SlipHeaderRules::DateResult date =
        slips::SlipHeaderRules::issueDate(m_fields[F::Date]->text());
    entry->date = date.ok ? date.date : QDate();
    if (const slips::JobCategory* category = chosenCategory()) {
        entry->categoryCode = category->code;
        entry->categoryKind = category->kind;
    }
    entry->rikuji = m_fields[F::Rikuji]->text();
    entry->kana = m_fields[F::Kana]->text();
    entry->tekiyo = m_fields[F::Tekiyo]->text();
    const auto readInteger = [this](F which, int* value) {
        const IntegerField rule = integerOf(which);
        CEditEx* edit = m_fields[which];
        if (readIntegerField(rule, edit->text(), value) && *value >= rule.minimum
            && *value <= rule.maximum)
            return true;
        edit->setText(rule.resetText);
        showMessage(rule.message);
        focusField(which);
        return false;
    };
    if (!readInteger(F::CarCode, &entry->carCode) || !readInteger(F::Rno, &entry->rno)
        || !readInteger(F::Preno, &entry->preno))
        return false;
    for (const Amount& amount : kAmounts) {
        if (!readInteger(amount.which, &(entry->*amount.value)))
            return false;
    }
    return true;
}

bool CFMoto::recalc(RecalcCause cause)
{
    LedgerEntry entry;
    if (!readEntry(&entry))
        return false;
    RememberedAmounts remembered = m_remembered;
    const EntryCheck check = entry.recalc(cause, remembered, m_document.settings().rounding());
    if (!check.ok) {
        showMessage(check.message);
        focusField(check.focus);
        return false;
    }
    m_entry = entry;
    // Every amount now shown is the accepted one, the computed taxes too:
    // typing over one of them with a value it had before must still count.
    m_remembered = entry.amounts();
    return true;
}

void CFMoto::showEntry()
{
    setFieldText(m_fields[F::Date], dateText(m_entry.date));
    m_quiet = true;
    m_category->setCurrentIndex(m_category->findData(m_entry.categoryCode));
    m_quiet = false;
    setFieldText(m_fields[F::CarCode], writeIntegerField(integerOf(F::CarCode), m_entry.carCode));
    setFieldText(m_fields[F::Rikuji], m_entry.rikuji);
    setFieldText(m_fields[F::Rno], writeIntegerField(integerOf(F::Rno), m_entry.rno));
    setFieldText(m_fields[F::Kana], m_entry.kana);
    setFieldText(m_fields[F::Preno], writeIntegerField(integerOf(F::Preno), m_entry.preno));
    for (const Amount& amount : kAmounts)
        setFieldText(m_fields[amount.which], groupedAmount(m_entry.*amount.value));
    setFieldText(m_fields[F::Tekiyo], m_entry.tekiyo);
    m_total->setText(groupedAmount(m_entry.tot));
    m_result->setText(groupedAmount(m_entry.result));
}

void CFMoto::focusField(EntryField which)
{
    QWidget* target = which == F::Category ? static_cast<QWidget*>(m_category) : field(which);
    if (!target)
        return;
    target->setFocus(Qt::OtherFocusReason);
    if (CEditEx* edit = field(which))
        edit->selectAll();
}

void CFMoto::onAmountLeft(EntryField which)
{
    const Amount* amount = amountOf(which);
    int value = 0;
    if (!readIntegerField(integerOf(which), m_fields[which]->text(), &value)
        || value == m_remembered.*amount->remembered)
        return;
    if (!recalc(amount->cause)) {
        m_refusedOnLeave = true;
        focusField(which);
        return;
    }
    m_remembered.*amount->remembered = value;
    showEntry();
}

void CFMoto::fillPlate(const data::CarRow* vehicle)
{
    const data::CarRow none;
    const data::CarRow& shown = vehicle ? *vehicle : none;
    m_fields[F::CarCode]->setText(writeIntegerField(integerOf(F::CarCode), shown.m_CarCode));
    m_fields[F::Rikuji]->setText(shown.m_Rikuji);
    m_fields[F::Rno]->setText(writeIntegerField(integerOf(F::Rno), shown.m_Rno));
    m_fields[F::Kana]->setText(shown.m_Kana);
    m_fields[F::Preno]->setText(writeIntegerField(integerOf(F::Preno), shown.m_Preno));
}

void CFMoto::onVehicleLeft()
{
    int code = 0;
    if (!readIntegerField(integerOf(F::CarCode), m_fields[F::CarCode]->text(), &code) || code == 0)
        return;
    const std::optional<data::CarRow> vehicle = m_access.vehicle(code);
    if (vehicle) {
        fillPlate(&*vehicle);
        return;
    }
    m_fields[F::CarCode]->setText(QStringLiteral("0"));
    showMessage(records::RecordingTexts::vehicleMissing);
}

bool CFMoto::finishFocusedField()
{
    auto* edit = qobject_cast<CEditEx*>(QApplication::focusWidget());
    if (!edit || !isAncestorOf(edit))
        return true;
    m_refusedOnLeave = false;
    return edit->finishEditing() && !m_refusedOnLeave;
}

bool CFMoto::record()
{
    if (!finishFocusedField())
        return false;
    LedgerEntry entry;
    if (!readEntry(&entry))
        return false;
    RememberedAmounts remembered = m_remembered;
    LedgerRecorder recorder(m_document);
    const LedgerRecorder::Outcome outcome = m_mode == Mode::New
        ? recorder.add(m_setup.customerCode, entry, remembered)
        : recorder.modify(m_currentId, entry, remembered);
    if (outcome.done) {
        if (const std::optional<data::ToriJnlRow> row = m_access.row(outcome.id))
            m_rows.put(*row);
        m_mode = Mode::New;
        showList();
    }
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (outcome.done || outcome.newEntry) {
        newEntry();
        return outcome.done;
    }
    if (outcome.focus != F::None) {
        m_entry = entry;
        m_remembered = remembered;
        showEntry();
        focusField(outcome.focus);
    }
    return false;
}

void CFMoto::deleteLine()
{
    if (m_mode != Mode::Modify)
        return;
    const int id = m_currentId;
    const LedgerRecorder::Outcome outcome = LedgerRecorder(m_document).remove(id);
    if (outcome.done) {
        m_rows.remove(id);
        m_mode = Mode::New;
        showList();
    }
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (outcome.done || outcome.newEntry)
        newEntry();
}

void CFMoto::searchSlip()
{
    if (m_model->rowCount() == 0)
        return;
    CDDennoSearch search(this);
    if (search.exec() != QDialog::Accepted)
        return;
    const int row = m_rows.indexOfSlip(search.value());
    if (row < 0) {
        showMessage(LedgerTexts::slipNotFound);
        // A loaded line is given up: the last line becomes current, and
        // F3 or F12 must never act on a line other than the marked one.
        if (m_mode == Mode::Modify)
            newEntry();
        else
            makeCurrent(m_model->rowCount() - 1, false);
        return;
    }
    makeCurrent(row, false);
    m_list->selectRow(row);
    m_list->setFocus(Qt::OtherFocusReason);
}

void CFMoto::ownedVehicles()
{
    const slips::JobCategory* category = chosenCategory();
    if (category && category->kind == LedgerEntry::kPaymentKind)
        return;
    const std::optional<data::KokRow> customer = m_access.customer(m_setup.customerCode);
    if (!customer) {
        showMessage(records::RecordingTexts::customerMissing);
        return;
    }
    if (customer->m_Hoyu == 0) {
        showMessage(kNoVehicles);
        return;
    }
    const auto owned = records::search::VehicleSearch(m_document.store(), m_setup.vehicleNames)
                           .ofCustomer(m_setup.customerCode,
                                       records::search::Capacity::kOwnedVehicles);
    if (owned.failed())
        return;
    if (owned.rows.empty()) {
        showMessage(kNoVehicles);
        return;
    }
    records::search::CDHoyu pick(owned.rows, this);
    const int code = pick.run();
    if (code < 0)
        return;
    const std::optional<data::CarRow> vehicle = m_access.vehicle(code);
    if (!vehicle) {
        m_fields[F::CarCode]->setText(QStringLiteral("0"));
        showMessage(records::RecordingTexts::vehicleMissing);
        return;
    }
    fillPlate(&*vehicle);
}

void CFMoto::refreshCarriedForward()
{
    const std::optional<qint64> balance =
        LedgerRecorder(m_document).carriedForward(m_setup.customerCode);
    if (!balance) {
        showMessage(LedgerTexts::balanceGone);
        return;
    }
    m_rows.setCarriedForward(*balance);
    showCarriedForward();
    showList();
}

} // namespace kv::ledger
