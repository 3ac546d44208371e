#pragma once

#include "data/settings/RoundingSettings.h"
#include "data/tables/TableRows.h"
#include "slips/core/SlipRecording.h"
#include "slips/core/SlipTotals.h"

#include <QString>
#include <QWidget>

#include <map>
#include <optional>

class QCheckBox;
class QGridLayout;

namespace kv {
class CEditEx;
}

namespace kv::slips {

// The inspection costs a vehicle carries into a slip of kind 車検.
struct StatutoryCosts {
    int jibai = 0;
    int jyuZei = 0;
    int insi = 0;
    int daiko = 0;

    static StatutoryCosts of(const data::CarRow& vehicle);
};

// What the slip window knows when it fills the totals.
struct TotalsSetup {
    SlipMode mode = SlipMode::New;
    // The old slip of a modify or transfer (percentages in hundredths).
    std::optional<data::SyaheadRow> stored;
    data::RoundingSettings rounding;
    // The shop issues qualified invoices: one tax rounding per rate.
    bool invoiceIssuer = false;
    // "001.dat": the agency fee of new slips is taxable.
    bool agencyFeeTaxable = false;
    // A new slip whose first job category is an inspection starts with
    // the vehicle's costs.
    std::optional<StatutoryCosts> costs;
};

// The totals form of the slip window (合計): discounts, consumption tax,
// the statutory and free costs, money received and the amount billed,
// recomputed by the shop's rounding whenever a field changes.
class CFTot : public QWidget {
    Q_OBJECT
public:
    // The computed fields the user cannot type.
    enum class Shown { PartsLines, PartsNet, LabourLines, LabourNet, CostsTotal, Total, Billed };

    explicit CFTot(QWidget* parent = nullptr);
    ~CFTot() override;

    void fill(const TotalsSetup& setup);

    // The grid's line totals changed: everything is recomputed and shown.
    bool setLineTotals(int parts, int labour);
    // The job category became an inspection / something else.
    bool setStatutoryCosts(const StatutoryCosts& costs);
    bool clearStatutoryCosts();

    // Reads the fields, then recomputes; false after the message with the
    // focus on a field.
    bool recalcTotals(SlipTotals::Cause cause);
    void showTotals();

    // Writes the totals columns of a header row (percentages in hundredths).
    void totals(data::SyaheadRow& header) const;
    // The values as last read and computed.
    const data::SyaheadRow& values() const { return m_slip; }

    // Where the user starts: 部品値引.
    void focusFirstField();

    // A row under the costs, for what fills them.
    void addCostBar(QWidget* bar);

    CEditEx* field(TotalsField which) const;
    CEditEx* shownField(Shown which) const;
    CEditEx* syoName5Edit() const { return m_syoName5; }
    CEditEx* syoName6Edit() const { return m_syoName6; }
    QCheckBox* daikoTaxBox() const { return m_daikoTax; }
    QCheckBox* syo5TaxBox() const { return m_syo5Tax; }
    QCheckBox* syo6TaxBox() const { return m_syo6Tax; }

protected:
    // Enter and Tab go round this form's fields only.
    bool focusNextPrevChild(bool next) override;

private:
    void buildLayout();
    void attachBehaviour();
    bool readFields();
    void onFieldLeft(TotalsField which);
    void onNameLeft(CEditEx* edit, QString* remembered);
    void onTaxBoxClicked();
    void rememberAll();
    void focusField(TotalsField which);
    // The focus back on a field a check refused.
    void refocus(TotalsField which);

    SlipTotals m_totals;
    data::SyaheadRow m_slip;
    std::map<TotalsField, int> m_remembered;
    QString m_rememberedName5;
    QString m_rememberedName6;

    std::map<TotalsField, CEditEx*> m_fields;
    std::map<Shown, CEditEx*> m_shown;
    CEditEx* m_syoName5 = nullptr;
    CEditEx* m_syoName6 = nullptr;
    QCheckBox* m_daikoTax = nullptr;
    QCheckBox* m_syo5Tax = nullptr;
    QCheckBox* m_syo6Tax = nullptr;
    QGridLayout* m_grid = nullptr;
};

} // namespace kv::slips
