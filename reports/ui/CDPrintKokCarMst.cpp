#include "reports/ui/CDPrintKokCarMst.h"

#include "common/MessageGateway.h"
#include "controls/CNumericEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsStore.h"
#include "masters/CDSetSeal.h"
#include "masters/core/LabelSettings.h"
#include "reports/core/AddressSource.h"
#include "reports/core/CustomerFile.h"
#include "reports/core/LabelSheet.h"
#include "reports/core/ReportPages.h"
#include "reports/print/AddressLabelPrintout.h"
#include "reports/print/HeldPrintout.h"
#include "reports/print/PostcardAddressPrintout.h"
#include "reports/print/PostcardBackPrintout.h"
#include "reports/print/TableListPrintout.h"
#include "reports/ui/BackPicture.h"
#include "reports/ui/CDSetHagaki.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::reports {
namespace {

std::optional<LabelSheet> chosenSheet(data::DataStore& store, const masters::LabelProfile& profile)
{
    return LabelSheet::lookUp(store, profile.maker, profile.productNumber);
}

QString noSheet()
{
    return QStringLiteral("宛先シールが見つかりません！\n宛先シールの設定を確認して下さい");
}

} // namespace

CDPrintKokCarMst::CDPrintKokCarMst(Setup setup, masters::FontChooser& fonts)
    : ReportDialog(setup, CustomerFile::kReportKind, QStringLiteral("顧客・車輌一覧印刷"))
    , m_document(*setup.run.document)
    , m_fonts(fonts)
    , m_output(new QComboBox(this))
    , m_customers(new CustomerRangeGroup(this))
    , m_vehicleFrom(ReportFields::numberField(this, 1, 999999, 1))
    , m_vehicleTo(ReportFields::numberField(this, 1, 999999, 999999))
    , m_copies(ReportFields::numberField(this, 1, 9999, 1))
    , m_startRow(ReportFields::numberField(this, 1, 99, 1))
    , m_startColumn(ReportFields::numberField(this, 1, 99, 1))
    , m_settings(new QPushButton(QStringLiteral("設定(&T)..."), this))
{
    for (int output = 0; output < CustomerFile::kOutputs; ++output)
        m_output->addItem(CustomerFile::title(output));
    const QString greetings[4] = {QStringLiteral("暑中見舞い"), QStringLiteral("年賀状"),
                                  QStringLiteral("お中元"), QStringLiteral("お歳暮")};
    auto* flags = new QGroupBox(QStringLiteral("対象"), this);
    auto* flagRow = new QHBoxLayout(flags);
    for (size_t flag = 0; flag < 4; ++flag) {
        m_greetings[flag] = new QCheckBox(greetings[flag], flags);
        flagRow->addWidget(m_greetings[flag]);
    }
    auto* others = new QGridLayout;
    others->addWidget(new QLabel(QStringLiteral("車輌ｺｰﾄﾞ")), 0, 0);
    others->addWidget(m_vehicleFrom, 0, 1);
    others->addWidget(new QLabel(QStringLiteral("～")), 0, 2);
    others->addWidget(m_vehicleTo, 0, 3);
    others->addWidget(new QLabel(QStringLiteral("裏面枚数")), 1, 0);
    others->addWidget(m_copies, 1, 1);
    others->addWidget(new QLabel(QStringLiteral("開始行・列")), 2, 0);
    others->addWidget(m_startRow, 2, 1);
    others->addWidget(m_startColumn, 2, 3);

    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(new QLabel(QStringLiteral("出力")));
    outputRow->addWidget(m_output, 1);
    outputRow->addWidget(m_settings);
    fieldsLayout()->addLayout(outputRow);
    fieldsLayout()->addWidget(m_customers);
    fieldsLayout()->addWidget(flags);
    fieldsLayout()->addLayout(others);

    connect(m_output, &QComboBox::currentIndexChanged, this, [this] { applyEnabling(); });
    connect(m_settings, &QPushButton::clicked, this, [this] { openSettings(); });
    m_output->setCurrentIndex(CustomerFile::CustomerVehicleList);
    applyEnabling();
    m_picture = BackPicture::loadOrChoose(this, m_document.settings(), BackPicture::kCustomerBack);
}

int CDPrintKokCarMst::output() const
{
    return m_output->currentIndex();
}

void CDPrintKokCarMst::applyEnabling()
{
    const CustomerFile::Enabling on = CustomerFile::enabling(output());
    m_customers->setChoiceEnabled(on.order && on.range);
    m_vehicleFrom->setEnabled(on.vehicleCodes);
    m_vehicleTo->setEnabled(on.vehicleCodes);
    for (QCheckBox* box : m_greetings)
        box->setEnabled(on.greetings);
    m_copies->setEnabled(on.copies);
    m_startRow->setEnabled(on.start);
    m_startColumn->setEnabled(on.start);
    setPagesEnabled(on.pages);
    m_settings->setEnabled(on.settings);
}

void CDPrintKokCarMst::openSettings()
{
    if (output() == CustomerFile::Labels) {
        masters::CDSetSeal(m_document, m_fonts, this).exec();
        return;
    }
    CDSetHagaki settings(m_document.settings(), BackPicture::kCustomerBack, this);
    if (settings.exec() == QDialog::Accepted || !settings.picture().isNull())
        m_picture = settings.picture();
}

bool CDPrintKokCarMst::checkFields()
{
    const CustomerFile::Enabling on = CustomerFile::enabling(output());
    // The limits of every field the output takes.
    std::vector<CEditEx*> limited;
    if (on.vehicleCodes)
        limited.insert(limited.end(), {m_vehicleFrom, m_vehicleTo});
    if (on.copies)
        limited.push_back(m_copies);
    if (on.start)
        limited.insert(limited.end(), {m_startRow, m_startColumn});
    for (CEditEx* field : limited)
        if (!field->checkField())
            return false;
    if (on.range) {
        const std::optional<CustomerSelection> selection = m_customers->checkedSelection();
        if (!selection)
            return false;
        m_selection = *selection;
        m_selection.summerGreeting = m_greetings[0]->isChecked();
        m_selection.newYearCard = m_greetings[1]->isChecked();
        m_selection.summerGift = m_greetings[2]->isChecked();
        m_selection.yearEndGift = m_greetings[3]->isChecked();
    }
    if (on.vehicleCodes && ReportFields::numberOf(m_vehicleFrom) > ReportFields::numberOf(m_vehicleTo)) {
        showMessage(QStringLiteral("終了車輌ｺｰﾄﾞが開始車輌ｺｰﾄﾞより小さくなっています！"));
        m_vehicleFrom->takeRefusedFocus();
        return false;
    }
    if (on.start) {
        // A damaged sheet is refused before anything is counted.
        const std::optional<LabelSheet> sheet =
            chosenSheet(m_document.store(), masters::LabelProfile::read());
        if (!sheet) {
            showMessage(noSheet());
            return false;
        }
        if (const auto refusal = LabelPlan::check(*sheet, ReportFields::numberOf(m_startRow),
                                                  ReportFields::numberOf(m_startColumn))) {
            showMessage(refusal->message);
            (refusal->field == ReportRefusal::Field::StartColumn ? m_startColumn : m_startRow)
                ->takeRefusedFocus();
            return false;
        }
    }
    if (on.pages && !pageRange()->check())
        return false;
    return true;
}

ReportRun::Request CDPrintKokCarMst::request(ReportRun::Way)
{
    ReportRun::Request asked;
    const int chosen = output();
    asked.printout = [this, chosen] { return printout(chosen); };
    asked.pdfName = CustomerFile::title(chosen) + QStringLiteral(".pdf");
    return asked;
}

std::unique_ptr<print::PagePainter> CDPrintKokCarMst::printout(int output)
{
    data::DataStore& store = m_document.store();
    data::SettingsStore& settings = m_document.settings();
    const QString title = CustomerFile::title(output);
    const QDate today = QDate::currentDate();
    const QStringList makes = settings.makes().entries();
    const auto refusedSelection = [](const data::EngineError& error) {
        showMessage(error.description);
        return std::unique_ptr<print::PagePainter>();
    };

    switch (output) {
    case CustomerFile::CustomerVehicleList: {
        auto table = std::make_shared<CustomerVehicleTable>(store, m_selection, makes);
        if (!table->isOpen())
            return refusedSelection(table->lastError());
        const CustomerVehiclePages plan(table->vehicleCounts());
        std::vector<TableListPrintout::PlannedPage> pages;
        pages.reserve(size_t(plan.pageCount()));
        for (int page = 1; page <= plan.pageCount(); ++page) {
            TableListPrintout::PlannedPage placed;
            for (const CustomerVehiclePages::Entry& entry : plan.page(page))
                placed.push_back({table->entryOf(entry.customer, entry.vehicle),
                                  entry.vehicle < 0 ? CustomerVehiclePages::kCustomerLines
                                                    : CustomerVehiclePages::kVehicleLines});
            pages.push_back(std::move(placed));
        }
        auto painter = std::make_unique<TableListPrintout>(
            *table, CustomerVehiclePages::kLinesPerPage, std::move(pages), today);
        return std::make_unique<HeldPrintout>(table, std::move(painter));
    }
    case CustomerFile::CustomerList:
    case CustomerFile::AddressBook: {
        auto table = std::make_shared<CustomerListTable>(
            store, m_selection,
            output == CustomerFile::CustomerList ? CustomerListTable::Kind::List
                                                 : CustomerListTable::Kind::AddressBook);
        if (!table->isOpen())
            return refusedSelection(table->lastError());
        auto painter = std::make_unique<TableListPrintout>(*table, CustomerFile::pageUnit(output), today);
        return std::make_unique<HeldPrintout>(table, std::move(painter));
    }
    case CustomerFile::VehicleList: {
        VehicleSelection vehicles;
        vehicles.codeFrom = ReportFields::numberOf(m_vehicleFrom);
        vehicles.codeTo = ReportFields::numberOf(m_vehicleTo);
        auto table = std::make_shared<VehicleListTable>(store, vehicles, makes);
        if (!table->isOpen())
            return refusedSelection(table->lastError());
        auto painter = std::make_unique<TableListPrintout>(*table, CustomerFile::pageUnit(output), today);
        return std::make_unique<HeldPrintout>(table, std::move(painter));
    }
    case CustomerFile::Labels: {
        const masters::LabelProfile profile = masters::LabelProfile::read();
        const std::optional<LabelSheet> sheet = chosenSheet(store, profile);
        if (!sheet) {
            showMessage(noSheet());
            return nullptr;
        }
        auto addressees = std::make_shared<CustomerAddresses>(store, m_selection.filter(), m_selection.sort());
        if (!addressees->isOpen())
            return refusedSelection(addressees->lastError());
        const LabelPlan plan(*sheet, ReportFields::numberOf(m_startRow),
                             ReportFields::numberOf(m_startColumn), addressees->count());
        auto painter = std::make_unique<AddressLabelPrintout>(
            *addressees, plan,
            AddressLabelPrintout::fontOfPoints(profile.font.faceName, profile.font.pointSize), title);
        return std::make_unique<HeldPrintout>(addressees, std::move(painter));
    }
    case CustomerFile::PostcardAddresses: {
        auto addressees = std::make_shared<CustomerAddresses>(store, m_selection.filter(), m_selection.sort());
        if (!addressees->isOpen())
            return refusedSelection(addressees->lastError());
        auto painter = std::make_unique<PostcardAddressPrintout>(
            *addressees, PostcardSender::fromShop(settings.shop()),
            PostcardShift::addressSide(settings.print().positions), title);
        return std::make_unique<HeldPrintout>(addressees, std::move(painter));
    }
    case CustomerFile::PostcardAddressTest:
        return std::make_unique<PostcardAddressPrintout>(
            PostcardSender::fromShop(settings.shop()),
            PostcardShift::addressSide(settings.print().positions), title);
    case CustomerFile::PostcardBacks:
    case CustomerFile::PostcardBackTest:
        // An empty back is no print: the picture is asked for first.
        if (m_picture.isNull()) {
            showMessage(BackPicture::noneChosen());
            return nullptr;
        }
        return std::make_unique<PostcardBackPrintout>(
            m_picture, PostcardShift::backSide(settings.print().positions),
            output == CustomerFile::PostcardBacks ? ReportFields::numberOf(m_copies) : 1, title);
    default:
        return nullptr;
    }
}

} // namespace kv::reports
