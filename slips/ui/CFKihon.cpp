#include "slips/ui/CFKihon.h"

#include "common/MessageGateway.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldKeyRules.h"
#include "controls/FieldChecks.h"
#include "data/engine/DayNumber.h"
#include "records/TypedDate.h"
#include "slips/core/SlipHeaderRules.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace kv::slips {

namespace {

namespace Rules = SlipHeaderRules;

const char* const kKindNames[] = {"納品書", "作業指示書", "概算見積書", "御見積書"};

QString westernText(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QString::asprintf("%02d/%02d/%02d", date.year() % 100, date.month(), date.day());
}

QDate dateOf(double dayNumber)
{
    return data::fromDayNumber(dayNumber).date();
}

IntegerField integerField(int maximum, const QString& message)
{
    IntegerField field;
    field.minimum = 0;
    field.maximum = maximum;
    field.message = message;
    field.resetText = QStringLiteral("0");
    field.style = IntegerStyle::Grouped;
    return field;
}

IntegerField mileageField()
{
    return integerField(Rules::kMaxMileage, Rules::mileageMessage());
}

IntegerField rateField()
{
    return integerField(Rules::kMaxRate, Rules::rateMessage());
}

// The leaving check of a western date: complete dates are rewritten
// "YY/MM/DD"; an empty required date takes the focus back silently.
FieldVerdict westernDateOnLeave(const QString& text, bool emptyAllowed)
{
    const records::TypedDate parts = records::TypedDate::parse(text);
    if (parts.isEmpty())
        return emptyAllowed ? FieldVerdict::accept(QString()) : FieldVerdict::refuse(QString(), QString());
    if (parts.isInvalid() || parts.month == 0 || parts.day == 0)
        return FieldVerdict::refuse(Rules::invalidDateMessage(), QString());
    return FieldVerdict::accept(parts.canonical(false));
}

FieldVerdict nextInspectionOnLeave(const QString& text)
{
    const FieldVerdict typed = westernDateOnLeave(text, true);
    if (!typed.accepted() || typed.text().isEmpty())
        return typed;
    const Rules::DateResult date = Rules::nextInspection(text);
    return date.ok ? typed : FieldVerdict::refuse(date.message, QString());
}

template <typename Edit>
Edit* dateEdit()
{
    auto* edit = new Edit;
    edit->setInputMode(CEditEx::InputMode::Direct);
    edit->setMaxLength(8);
    return edit;
}

} // namespace

CFKihon::CFKihon(QWidget* parent)
    : QWidget(parent)
{
    buildLayout();
    attachChecks();
}

CFKihon::~CFKihon() = default;

void CFKihon::buildLayout()
{
    m_slipNumber = new CEditEx;
    m_slipNumber->setReadOnly(true);
    m_billing = new CEditEx;
    m_billing->setReadOnly(true);
    // Shown, not typed: no tab stops.
    m_slipNumber->setFocusPolicy(Qt::ClickFocus);
    m_billing->setFocusPolicy(Qt::ClickFocus);
    m_kind = new CComboBoxEn;
    for (const char* name : kKindNames)
        m_kind->addItem(QString::fromUtf8(name));
    m_issueDate = dateEdit<CNumericEditEx>();
    m_category = new CComboBoxEn;
    m_mileage = new CNumericEditEx;
    m_mileage->setInputMode(CEditEx::InputMode::Direct);
    m_mileage->setMaxLength(9);
    m_nextInspection = dateEdit<CNumericEditEx>();
    m_dateIn = dateEdit<CNumericEditEx>();
    m_deliveryDate = dateEdit<CNumericEditEx>();
    m_labourRate = new CNumericEditEx;
    m_bodyWorkRate = new CNumericEditEx;
    for (CNumericEditEx* rate : {m_labourRate, m_bodyWorkRate}) {
        rate->setInputMode(CEditEx::InputMode::Direct);
        rate->setMaxLength(7);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    const struct {
        const char* caption;
        QWidget* field;
    } rows[] = {
        {"伝票番号", m_slipNumber}, {"請 求 先", m_billing},     {"伝票種別", m_kind},
        {"発 行 日", m_issueDate},  {"入庫区分", m_category},    {"走行距離", m_mileage},
        {"次回車検", m_nextInspection}, {"入 庫 日", m_dateIn}, {"納 車 日", m_deliveryDate},
        {"工賃ﾚﾊﾞﾚｰﾄ", m_labourRate}, {"鈑金ﾚﾊﾞﾚｰﾄ", m_bodyWorkRate},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.caption)), row, 0);
        grid->addWidget(r.field, row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("※元号")), 6, 2);
    grid->setRowStretch(row, 1);
    setTabOrder(m_kind, m_issueDate);
    setTabOrder(m_issueDate, m_category);
    setTabOrder(m_category, m_mileage);
    setTabOrder(m_mileage, m_nextInspection);
    setTabOrder(m_nextInspection, m_dateIn);
    setTabOrder(m_dateIn, m_deliveryDate);
    setTabOrder(m_deliveryDate, m_labourRate);
    setTabOrder(m_labourRate, m_bodyWorkRate);
}

void CFKihon::attachChecks()
{
    m_issueDate->setExitCheck([](const QString& text) { return westernDateOnLeave(text, false); });
    for (CEditEx* optional : {static_cast<CEditEx*>(m_dateIn), static_cast<CEditEx*>(m_deliveryDate)})
        optional->setExitCheck([](const QString& text) { return westernDateOnLeave(text, true); });
    m_nextInspection->setExitCheck(&nextInspectionOnLeave);
    m_mileage->setExitCheck(integerFieldCheck(mileageField()));
    m_labourRate->setExitCheck(integerFieldCheck(rateField()));
    m_bodyWorkRate->setExitCheck(integerFieldCheck(rateField()));
    for (CNumericEditEx* rate : {m_labourRate, m_bodyWorkRate})
        connect(rate, &CEditEx::left, this, [this] { onRateLeft(); });
    connect(m_category, &QComboBox::currentIndexChanged, this, [this] { onCategoryChosen(); });
}

void CFKihon::fill(const HeaderSetup& setup)
{
    m_filling = true;
    m_mode = setup.mode;
    m_vehicle = setup.vehicle;
    m_categories = JobCategoryList(setup.categories);
    m_category->clear();
    for (const JobCategory& category : m_categories.items())
        m_category->addItem(category.name);

    m_slipNumber->setText(QString::asprintf("%06d", setup.slipNumber));
    m_billing->setText(setup.billingName);

    const bool fromStored = setup.mode != SlipMode::New && setup.stored.has_value();
    const data::SyaheadRow old = fromStored ? *setup.stored : data::SyaheadRow{};
    m_kind->setCurrentIndex(fromStored ? std::clamp(old.m_DenKind, 0, 3) : 0);
    m_category->setCurrentIndex(fromStored ? m_categories.indexOfCode(old.m_NyuukoKbnCode)
                                           : (m_categories.size() > 0 ? 0 : -1));
    const bool modify = setup.mode == SlipMode::Modify && fromStored;
    m_issueDate->setText(westernText(modify ? dateOf(old.m_HatuDate) : setup.today));
    if (fromStored) {
        m_mileage->setText(writeIntegerField(mileageField(), old.m_Km));
        m_dateIn->setText(westernText(dateOf(old.m_NyuDate)));
        m_deliveryDate->setText(westernText(dateOf(old.m_NouDate)));
        m_labourRate->setText(writeIntegerField(rateField(), old.m_KouLeba));
        m_bodyWorkRate->setText(writeIntegerField(rateField(), old.m_BanLeba));
    } else {
        m_mileage->setText(QStringLiteral("0"));
        m_dateIn->setText(westernText(setup.today));
        m_deliveryDate->setText(westernText(setup.today));
        m_labourRate->setText(writeIntegerField(rateField(), setup.labourRate));
        m_bodyWorkRate->setText(writeIntegerField(rateField(), setup.bodyWorkRate));
    }
    showNextInspection(modify ? dateOf(old.m_Syaman) : proposedNextInspectionDate());
    // The kind of a slip that already made a sale stays.
    m_kind->setEnabled(!(modify && setup.saleExists));
    m_filling = false;
}

QDate CFKihon::issueDate() const
{
    const Rules::DateResult issued = Rules::issueDate(m_issueDate->text());
    return issued.ok ? issued.date : QDate();
}

QDate CFKihon::proposedNextInspectionDate() const
{
    const JobCategory* category = selectedCategory();
    const bool inspection = category && category->kind == kInspectionCategoryKind;
    const bool addCycle = inspection && slipKind() == DeliveryNote;
    return Rules::nextInspectionFrom(dateOf(m_vehicle.m_Syaman), m_vehicle.m_Yuko, addCycle);
}

void CFKihon::showNextInspection(const QDate& date)
{
    m_shownNextInspection = date;
    m_nextInspection->setText(Rules::eraText(date));
    m_shownNextInspectionText = m_nextInspection->text();
}

void CFKihon::onCategoryChosen()
{
    if (m_filling || m_mode == SlipMode::Modify)
        return;
    showNextInspection(proposedNextInspectionDate());
    const JobCategory* category = selectedCategory();
    emit categoryChanged(category ? category->kind : 0);
}

void CFKihon::onRateLeft()
{
    int labour = 0;
    int bodyWork = 0;
    if (readIntegerField(rateField(), m_labourRate->text(), &labour)
        && readIntegerField(rateField(), m_bodyWorkRate->text(), &bodyWork))
        emit ratesChanged(labour, bodyWork);
}

int CFKihon::slipKind() const
{
    return m_kind->currentIndex();
}

const JobCategory* CFKihon::selectedCategory() const
{
    const int index = m_category->currentIndex();
    if (index < 0 || index >= m_categories.size())
        return nullptr;
    return &m_categories.items()[size_t(index)];
}

void CFKihon::focusFirstField()
{
    QWidget* first = m_kind->isEnabled() ? static_cast<QWidget*>(m_kind) : m_issueDate;
    first->setFocus(Qt::OtherFocusReason);
}

bool CFKihon::refuse(CEditEx* field, const QString& message)
{
    showMessage(message);
    field->takeRefusedFocus();
    return false;
}

bool CFKihon::validateHeader(HeaderValues* values)
{
    HeaderValues v;
    v.kind = slipKind();

    const Rules::DateResult issued = Rules::issueDate(m_issueDate->text());
    if (!issued.ok)
        return refuse(m_issueDate, issued.message);
    v.issueDate = issued.date;
    if (const JobCategory* category = selectedCategory()) {
        v.categoryCode = category->code;
        v.categoryKind = category->kind;
    }

    if (!readIntegerField(mileageField(), m_mileage->text(), &v.mileage)
        || v.mileage < 0 || v.mileage > Rules::kMaxMileage)
        return refuse(m_mileage, Rules::mileageMessage());

    // A date shown as it was given is taken as it was given: its two-digit
    // era year alone could name another era (平成20 read back as 令和20).
    if (m_nextInspection->text() == m_shownNextInspectionText) {
        v.nextInspection = m_shownNextInspection;
    } else {
        const Rules::DateResult next = Rules::nextInspection(m_nextInspection->text());
        if (!next.ok)
            return refuse(m_nextInspection, next.message);
        v.nextInspection = next.date;
    }

    for (const auto& [edit, into] : {std::pair{m_dateIn, &v.dateIn}, {m_deliveryDate, &v.deliveryDate}}) {
        const Rules::DateResult date = Rules::optionalDate(edit->text());
        if (!date.ok)
            return refuse(edit, date.message);
        *into = date.date;
    }

    for (const auto& [edit, into] : {std::pair{m_labourRate, &v.labourRate}, {m_bodyWorkRate, &v.bodyWorkRate}}) {
        if (!readIntegerField(rateField(), edit->text(), into) || *into < 0 || *into > Rules::kMaxRate)
            return refuse(edit, Rules::rateMessage());
    }
    if (values)
        *values = v;
    return true;
}

bool CFKihon::focusNextPrevChild(bool next)
{
    return FieldKeyRules::moveFocusWithin(this, next);
}

} // namespace kv::slips
