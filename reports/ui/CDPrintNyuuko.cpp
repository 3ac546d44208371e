#include "reports/ui/CDPrintNyuuko.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsFileId.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/CDSetSeal.h"
#include "masters/core/LabelSettings.h"
#include "reports/core/PostcardShifts.h"
#include "reports/core/ReminderCards.h"
#include "reports/core/ReminderList.h"
#include "reports/core/ReminderMonths.h"
#include "reports/print/AddressLabelPrintout.h"
#include "reports/print/PostcardBackPrintout.h"
#include "reports/print/ReminderPrintout.h"
#include "reports/print/TableListPrintout.h"
#include "reports/ui/BackPicture.h"
#include "reports/ui/CDSetHagaki.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::reports {

namespace {

const QString kNoPicture = QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙが選択されていません！");

// A printout with the sources its pages read, kept as long as it lives.
class OwningPrintout final : public print::PagePainter {
public:
    OwningPrintout(std::shared_ptr<void> sources, std::unique_ptr<print::PagePainter> pages)
        : m_sources(std::move(sources))
        , m_pages(std::move(pages))
    {
    }
    print::PageLayout layout() const override { return m_pages->layout(); }
    int pageCount() const override { return m_pages->pageCount(); }
    void paintPage(int page, QPainter& painter) override { m_pages->paintPage(page, painter); }

private:
    std::shared_ptr<void> m_sources;
    std::unique_ptr<print::PagePainter> m_pages;
};

} // namespace

QString CDPrintNyuuko::titleOf(Output output)
{
    static const char* const titles[] = {
        "車検入庫予定車輌一覧",           "車検入庫予定車輌 はがき宛先",
        "車検入庫予定車輌 はがき裏面",     "車検入庫予定車輌 はがき宛先テスト",
        "車検入庫予定車輌 はがき裏面テスト", "車検入庫予定車輌 宛先シール"};
    return QString::fromUtf8(titles[output]);
}

CDPrintNyuuko::CDPrintNyuuko(Setup setup, data::CCarMaintenanceDoc& document, QDate today,
                             masters::FontChooser& fonts)
    : ReportDialog(std::move(setup), kReportKind, QStringLiteral("車検入庫予定車輌一覧・はがき"))
    , m_document(document)
    , m_fonts(fonts)
{
    auto* outputs = new QGroupBox(QStringLiteral("出力"), this);
    auto* outputLayout = new QGridLayout(outputs);
    static const char* const captions[] = {"一覧表(&1)",         "はがき宛先(&2)",
                                           "はがき裏面(&3)",     "はがき宛先テスト(&4)",
                                           "はがき裏面テスト(&5)", "宛先シール(&6)"};
    for (int i = 0; i < kOutputs; ++i) {
        m_outputs[size_t(i)] = new QRadioButton(QString::fromUtf8(captions[i]), outputs);
        outputLayout->addWidget(m_outputs[size_t(i)], i / 2, i % 2);
        connect(m_outputs[size_t(i)], &QRadioButton::toggled, this, [this] { applyEnabling(); });
    }

    const QString next = ReminderMonths::nextMonth(today);
    m_startMonth = ReportFields::monthField(this, next);
    m_endMonth = ReportFields::monthField(this, next);
    m_copies = ReportFields::numberField(this, 1, 9999, 1);
    m_startRow = ReportFields::numberField(this, 1, 99, 1);
    m_startColumn = ReportFields::numberField(this, 1, 99, 1);
    m_costs = new QCheckBox(QStringLiteral("諸費用を印字する(&E)"), this);
    m_costs->setChecked(document.settings().print().jobCategoryListOption != 0);
    m_settings = new QPushButton(QStringLiteral("設定(&T)"), this);
    m_settings->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("車検満了 開始年月"), this), 0, 0);
    grid->addWidget(m_startMonth, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("～ 終了年月"), this), 0, 2);
    grid->addWidget(m_endMonth, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("枚数"), this), 1, 0);
    grid->addWidget(m_copies, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("開始行"), this), 2, 0);
    grid->addWidget(m_startRow, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("開始列"), this), 2, 2);
    grid->addWidget(m_startColumn, 2, 3);
    grid->addWidget(m_costs, 3, 0, 1, 3);
    grid->addWidget(m_settings, 3, 3);
    fieldsLayout()->addWidget(outputs);
    fieldsLayout()->addLayout(grid);

    connect(m_costs, &QCheckBox::toggled, this, [this](bool on) { storeCostsOption(on); });
    connect(m_settings, &QPushButton::clicked, this, [this] { openSettings(); });

    m_back = BackPicture::loadOrChoose(this, document.settings(), BackPicture::kReminderBack);

    m_outputs[List]->setChecked(true);
    applyEnabling();
}

CDPrintNyuuko::Output CDPrintNyuuko::output() const
{
    for (int i = 0; i < kOutputs; ++i) {
        if (m_outputs[size_t(i)]->isChecked())
            return Output(i);
    }
    return List;
}

void CDPrintNyuuko::applyEnabling()
{
    const Output chosen = output();
    const bool selects = chosen == List || chosen == Postcards || chosen == Labels;
    m_startMonth->setEnabled(selects);
    m_endMonth->setEnabled(selects);
    setPagesEnabled(selects);
    m_copies->setEnabled(chosen == Backs);
    m_startRow->setEnabled(chosen == Labels);
    m_startColumn->setEnabled(chosen == Labels);
    m_costs->setEnabled(chosen == Postcards || chosen == PostcardSample);
    m_settings->setEnabled(chosen != List);
}

void CDPrintNyuuko::openSettings()
{
    if (output() == Labels) {
        masters::CDSetSeal(m_document, m_fonts, this).exec();
        return;
    }
    CDSetHagaki settings(m_document.settings(), BackPicture::kReminderBack, this);
    settings.exec();
    // A picture chosen counts even when the shifts were cancelled.
    if (!settings.picture().isNull())
        m_back = settings.picture();
}

void CDPrintNyuuko::storeCostsOption(bool on)
{
    data::SettingsStore& settings = m_document.settings();
    const qint32 before = settings.print().jobCategoryListOption;
    settings.print().jobCategoryListOption = on ? 1 : 0;
    if (!settings.SaveSettingsFile(data::SettingsFileId::Print)) {
        // The stored value stays what the other computers know.
        settings.print().jobCategoryListOption = before;
        return;
    }
    lan::changeAnnouncer().announceUpdate(QStringLiteral("印字"));
}

bool CDPrintNyuuko::checkFields()
{
    const Output chosen = output();
    if (chosen == List || chosen == Postcards || chosen == Labels) {
        if (const auto refusal = ReminderMonths::check(m_startMonth->text(), m_endMonth->text())) {
            CEditEx* field =
                refusal->field == ReportRefusal::Field::EndMonth ? m_endMonth : m_startMonth;
            if (refusal->message == ReportFields::kBadDate)
                field->clear();
            showMessage(refusal->message);
            field->setFocus();
            return false;
        }
        m_first = *ReminderMonths::firstDay(m_startMonth->text());
        m_last = *ReminderMonths::lastDay(m_endMonth->text());
        if (!pageRange()->check())
            return false;
    }
    if (chosen == Labels && !checkLabelSheet())
        return false;
    if ((chosen == Backs || chosen == BackSample) && m_back.isNull()) {
        showMessage(kNoPicture);
        return false;
    }
    return true;
}

bool CDPrintNyuuko::checkLabelSheet()
{
    // The sheet of the label settings; a layout gone from the table is
    // refused before anything is counted.
    const masters::LabelProfile profile = masters::LabelProfile::read();
    masters::LabelSheets sheets(m_document);
    const int found = sheets.check(profile.maker, profile.productNumber);
    if (found == 0)
        m_sheet = LabelSheet::fromRow(m_document.labelSheets().row());
    sheets.resetView();
    if (found != 0) {
        showMessage(found < 0 ? sheets.lastMessage()
                              : QStringLiteral("データが異常です%1！")
                                    .arg(found == 1 ? QStringLiteral("１") : QStringLiteral("２")));
        return false;
    }
    m_labelFont = AddressLabelPrintout::fontOfPoints(profile.font.faceName, profile.font.pointSize);
    const int row = ReportFields::numberOf(m_startRow);
    const int column = ReportFields::numberOf(m_startColumn);
    if (const auto refusal = LabelPlan::check(m_sheet, row, column)) {
        showMessage(refusal->message);
        (refusal->field == ReportRefusal::Field::StartColumn ? m_startColumn : m_startRow)->setFocus();
        return false;
    }
    return true;
}

QString CDPrintNyuuko::selectionFilter() const
{
    return ReminderMonths::filter(m_first, m_last);
}

ReportRun::Request CDPrintNyuuko::request(ReportRun::Way way)
{
    const Output chosen = output();
    ReportRun::Request asked;
    asked.pdfName = titleOf(chosen) + QStringLiteral(".pdf");
    const bool preview = way == ReportRun::Way::Preview;
    asked.printout = [this, chosen, preview] { return printout(chosen, preview); };
    return asked;
}

std::unique_ptr<print::PagePainter> CDPrintNyuuko::printout(Output output, bool preview)
{
    data::SettingsStore& settings = m_document.settings();
    const PostcardSender sender = PostcardSender::fromShop(settings.shop());
    const PostcardShift addressShift = PostcardShift::addressSide(settings.print().positions);
    const PostcardShift backShift = PostcardShift::backSide(settings.print().positions);
    const bool agencyTaxable = settings.general().agencyFeeTaxable != 0;
    const bool withCosts = settings.print().jobCategoryListOption != 0;
    const QString title = titleOf(output);
    switch (output) {
    case List: {
        const QString span = QStringLiteral("車検満了日 %1 ～ %2")
                                 .arg(m_first.toString(QStringLiteral("yyyy/MM/dd")),
                                      m_last.toString(QStringLiteral("yyyy/MM/dd")));
        auto table = std::make_shared<ReminderList>(m_document.store(), selectionFilter(),
                                                    ReminderMonths::sort(), settings.makes(), span);
        return std::make_unique<OwningPrintout>(
            table, std::make_unique<TableListPrintout>(*table, ReminderList::kRowsPerPage,
                                                       QDate::currentDate()));
    }
    case Postcards: {
        struct Sources {
            std::optional<StoredReminderCosts> costs;
            std::optional<ReminderCards> cards;
        };
        auto sources = std::make_shared<Sources>();
        if (withCosts)
            sources->costs.emplace(settings.rounding(), agencyTaxable);
        sources->cards.emplace(m_document.store(), selectionFilter(), ReminderMonths::sort(),
                               settings.makes(), sources->costs ? &*sources->costs : nullptr);
        Sources* at = sources.get();
        return std::make_unique<OwningPrintout>(
            sources, std::make_unique<ReminderPrintout>(
                         at->cards->count(), [at](int index) { return at->cards->at(index); },
                         sender, addressShift, agencyTaxable, preview, title));
    }
    case Backs:
    case BackSample:
        return std::make_unique<PostcardBackPrintout>(
            m_back, backShift, output == Backs ? ReportFields::numberOf(m_copies) : 1, title);
    case PostcardSample: {
        const ReminderCard sample = ReminderPrintout::sampleCard(withCosts);
        return std::make_unique<ReminderPrintout>(
            1, [sample](int) { return std::optional<ReminderCard>(sample); }, sender,
            addressShift, agencyTaxable, preview, title);
    }
    case Labels: {
        auto owners = std::make_shared<VehicleOwnerAddresses>(m_document.store(), selectionFilter(),
                                                              ReminderMonths::sort());
        const LabelPlan plan(m_sheet, ReportFields::numberOf(m_startRow),
                             ReportFields::numberOf(m_startColumn), owners->count());
        return std::make_unique<OwningPrintout>(
            owners, std::make_unique<AddressLabelPrintout>(*owners, plan, m_labelFont, title));
    }
    case kOutputs:
        break;
    }
    return nullptr;
}

} // namespace kv::reports
