#include "slips/ui/SlipWindowFactory.h"

#include "common/Cp932.h"
#include "common/MessageGateway.h"
#include "data/costs/VehicleCosts.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/VehicleTexts.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipTitles.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CFKihon.h"
#include "slips/ui/CFTot.h"
#include "slips/ui/CMeisaiScView.h"
#include "slips/ui/StatutoryCostFill.h"

#include <QSettings>

#include <memory>
#include <optional>

namespace kv::slips {

namespace {

class HeaderPane final : public SlipHeaderPane {
public:
    explicit HeaderPane(CFKihon* form) : m_form(form) {}
    QWidget* widget() override { return m_form; }
    bool validateHeader(HeaderValues* values) override { return m_form->validateHeader(values); }
    void activate() override { m_form->focusFirstField(); }

private:
    CFKihon* m_form;
};

class LinesPane final : public SlipLinesPane {
public:
    explicit LinesPane(CMeisaiScView* grid) : m_grid(grid) {}
    QWidget* widget() override { return m_grid; }
    bool checkLines(int* parts, int* labour) override { return m_grid->checkLines(parts, labour); }
    bool storedLines(std::vector<data::SyaJnlRow>* lines) override
    {
        return m_grid->storedLines(lines);
    }
    std::vector<std::array<QString, 7>> printedRows() const override
    {
        std::vector<std::array<QString, 7>> rows(size_t(m_grid->usedRows()));
        for (size_t row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < SlipLines::kColumns; ++column)
                rows[row][size_t(column)] = m_grid->cellText(int(row), column);
        }
        return rows;
    }
    void setRates(int labour, int bodyWork) override { m_grid->setRates(labour, bodyWork); }
    void activate() override { m_grid->focusCurrentCell(); }
    void insertRow() override { m_grid->insertLine(); }
    void cutRow() override { m_grid->cutLine(); }
    void copyRow() override { m_grid->copyLine(); }
    void pasteRow() override { m_grid->pasteLine(); }
    void openItemList() override { m_grid->openItemList(); }
    void openSetList() override { m_grid->openSetList(); }
    void setCategoryListShown(bool shown) override { m_grid->setCategoryListShown(shown); }

private:
    CMeisaiScView* m_grid;
};

class TotalsPane final : public SlipTotalsPane {
public:
    explicit TotalsPane(CFTot* form) : m_form(form) {}
    QWidget* widget() override { return m_form; }
    bool recalcAll(int parts, int labour) override { return m_form->setLineTotals(parts, labour); }
    void writeTotals(data::SyaheadRow& header) const override { m_form->totals(header); }
    void activate() override { m_form->focusFirstField(); }

private:
    CFTot* m_form;
};

// The adapters live as long as the window they serve.
class PaneAdapters : public QObject {
public:
    PaneAdapters(CFKihon* header, CMeisaiScView* grid, CFTot* totals)
        : header(header), lines(grid), totals(totals)
    {
    }
    HeaderPane header;
    LinesPane lines;
    TotalsPane totals;
};

template <class Set>
std::optional<typename Set::Row> findRow(data::CCarMaintenanceDoc& document, const QString& filter)
{
    Set set(document.store().mainConnection());
    set.SetFilter(filter);
    if (!set.Open()) {
        showMessage(set.lastError().description);
        return std::nullopt;
    }
    if (set.GetRecordCount() == 0)
        return std::nullopt;
    return set.row();
}

std::vector<data::NyuukoKbnRow> jobCategories(data::CCarMaintenanceDoc& document)
{
    std::vector<data::NyuukoKbnRow> rows;
    CDaoNyuukoKbnSet set(document.store().mainConnection());
    if (!set.Open())
        return rows;
    for (; !set.IsEOF(); set.MoveNext())
        rows.push_back(set.row());
    return rows;
}

QString nameOf(const data::KokRow& customer)
{
    return cp932::truncateToBytes(customer.m_UserName1 + customer.m_UserName2, 20);
}

// A slip's stored photos are copied for the window: the temporary
// folder keeps a gigabyte free beyond them.
bool roomForPhotos(data::CCarMaintenanceDoc& document, int slipNumber)
{
    qint64 bytes = 0;
    if (!SlipPhotos::storedSize(document.photoFolder(), slipNumber, &bytes)) {
        showMessage(QStringLiteral("[%1] のファイルサイズの取得に失敗しました！")
                        .arg(document.photoFolder() + u'/' + SlipPhotos::slipPrefix(slipNumber)
                             + QStringLiteral("*.*")));
        return false;
    }
    return document.checkTemporarySpace(double(bytes));
}

} // namespace

CDenFrame* openSlipWindow(data::CCarMaintenanceDoc& document, SlipAccess& access,
                          masters::ItemStore* items, QSettings* profile,
                          const SlipContext& context, QWidget* parent,
                          print::PrinterAccess* printers, masters::SetStore* sets)
{
    if (context.mode == SlipMode::Modify && !roomForPhotos(document, context.sourceSlip))
        return nullptr;
    std::optional<data::SyaheadRow> stored;
    std::vector<data::SyaJnlRow> lines;
    if (context.mode != SlipMode::New) {
        data::SyaheadRow header;
        if (!access.load(context.sourceSlip, &header, &lines))
            return nullptr;
        stored = header;
    }
    // A slip whose photos cannot be worked on is not opened: recording an
    // emptied grid would write over its lines.
    const SlipPhotos photos(document.photoFolder(),
                            SlipPhotos::workFolderFor(document.temporaryFolder()));
    QString failure;
    if (!photos.clearWork(&failure) || !photos.loadInto(lines, &failure)) {
        showMessage(failure);
        return nullptr;
    }
    const int billingCode = stored ? stored->m_SeiKokCode : context.customerCode;
    const auto customer = findRow<CDaoKokSet>(document, QStringLiteral("KokCode = %1").arg(context.customerCode));
    const auto billing = findRow<CDaoKokSet>(document, QStringLiteral("KokCode = %1").arg(billingCode));
    const auto vehicle = findRow<CDaoCarSet>(document, QStringLiteral("CarCode = %1").arg(context.vehicleCode));
    if (!customer || !vehicle) {
        showMessage(!customer ? QStringLiteral("該当顧客が存在しません！")
                              : QStringLiteral("該当車輌が存在しません！"));
        return nullptr;
    }
    data::SettingsStore& settings = document.settings();
    const bool saleExists = context.mode == SlipMode::Modify
        && findRow<CDaoToriJnlSet>(document, QStringLiteral("DenFlag = 1 AND DenNo = %1")
                                                 .arg(context.slipNumber))
               .has_value();

    auto* header = new CFKihon;
    HeaderSetup headerSetup;
    headerSetup.mode = context.mode;
    headerSetup.slipNumber = context.slipNumber;
    headerSetup.billingName = billing ? nameOf(*billing) : QString();
    headerSetup.stored = stored;
    headerSetup.vehicle = *vehicle;
    headerSetup.labourRate = settings.shop().labourRate;
    headerSetup.bodyWorkRate = settings.shop().bodyWorkRate;
    headerSetup.saleExists = saleExists;
    headerSetup.categories = jobCategories(document);
    header->fill(headerSetup);

    auto* grid = new CMeisaiScView(profile);
    grid->setCategories(settings.categories());
    grid->setRounding(settings.rounding());
    grid->setItemStore(items);
    grid->setSetStore(sets);
    const int labourRate = stored ? stored->m_KouLeba : headerSetup.labourRate;
    const int bodyWorkRate = stored ? stored->m_BanLeba : headerSetup.bodyWorkRate;
    grid->setRates(labourRate, bodyWorkRate);
    grid->load(lines);

    auto* totals = new CFTot;
    TotalsSetup totalsSetup;
    totalsSetup.mode = context.mode;
    totalsSetup.stored = stored;
    totalsSetup.rounding = settings.rounding();
    totalsSetup.invoiceIssuer = settings.invoiceIssuer().isIssuer();
    totalsSetup.agencyFeeTaxable = settings.general().agencyFeeTaxable != 0;
    const JobCategory* category = header->selectedCategory();
    const bool inspection = !stored && category && category->kind == kInspectionCategoryKind;
    if (inspection)
        totalsSetup.costs = StatutoryCosts::of(*vehicle);
    totals->fill(totalsSetup);
    StatutoryCostFill* costFill = nullptr;
    if (context.mode != SlipMode::Modify) {
        const data::CarRow car = *vehicle;
        auto source = [&document, header, car](int months) -> std::optional<data::CostQuote> {
            const QDate date = header->issueDate();
            if (!date.isValid()) {
                showMessage(QStringLiteral("年月日が異常です！"));
                return std::nullopt;
            }
            data::SettingsStore& s = document.settings();
            data::VehicleCosts costs(document.store().mainConnection(), s.vehicleClasses(),
                                     s.vehicleUses());
            auto quote = costs.quote(car, date, months);
            if (!quote)
                showMessage(costs.lastMessage());
            return quote;
        };
        const QDate today = header->issueDate();
        costFill = new StatutoryCostFill(
            *totals, source,
            data::CostLookup::insuranceMonths(data::VehicleTexts::dateOf(car.m_Syaman), today));
        if (inspection)
            costFill->fill();
    }

    CDenFrame::Setup setup;
    setup.mode = context.mode;
    setup.slipNumber = context.slipNumber;
    setup.customerCode = context.customerCode;
    setup.billingCode = billingCode;
    setup.vehicleCode = context.vehicleCode;
    setup.title = slipWindowTitle(int(context.mode),
                                  slipSubject(*customer, *vehicle,
                                              settings.makes().entries().value(vehicle->m_Syamei)));
    setup.profile = profile;
    setup.printers = printers;
    setup.photoWorkFolder = photos.workFolder();
    auto* adapters = new PaneAdapters(header, grid, totals);
    auto* frame = new CDenFrame(document, access, setup, adapters->header, adapters->lines,
                                adapters->totals, parent);
    adapters->setParent(frame);
    grid->setPhotos(&frame->photos());
    QObject::connect(grid, &CMeisaiScView::categoryListClosed, frame,
                     [frame] { frame->categoryListClosed(); });

    QObject::connect(grid, &CMeisaiScView::linesChanged, totals,
                     [totals](int parts, int labour) { totals->setLineTotals(parts, labour); });
    QObject::connect(header, &CFKihon::ratesChanged, grid, &CMeisaiScView::setRates);
    const data::CarRow vehicleRow = *vehicle;
    // Another category keeps what was filled or typed: a slip that stops
    // being an inspection loses nothing the user may still want.
    QObject::connect(header, &CFKihon::categoryChanged, totals, [totals, vehicleRow, costFill](int kind) {
        if (kind != kInspectionCategoryKind)
            return;
        if (!costFill || !costFill->hasFilled())
            totals->setStatutoryCosts(StatutoryCosts::of(vehicleRow));
        if (costFill)
            costFill->fill();
    });
    return frame;
}

} // namespace kv::slips
