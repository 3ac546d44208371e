#pragma once

#include "data/tables/TableRows.h"
#include "slips/core/SlipHeaderValues.h"
#include "slips/core/JobCategoryList.h"
#include "slips/core/SlipRecording.h"

#include <QDate>
#include <QTime>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace kv {
class CComboBoxEn;
class CEditEx;
class CNumericEditEx;
}

namespace kv::slips {

// What the slip window knows when it fills the header.
struct HeaderSetup {
    SlipMode mode = SlipMode::New;
    int slipNumber = 0;
    // The billing customer's display name, already cut to what is shown.
    QString billingName;
    // The old slip of a modify or transfer.
    std::optional<data::SyaheadRow> stored;
    // The slip's vehicle: its expiry and cycle propose the next inspection.
    data::CarRow vehicle;
    // The shop's default rates (工賃ﾚﾊﾞﾚｰﾄ, 鈑金ﾚﾊﾞﾚｰﾄ).
    int labourRate = 0;
    int bodyWorkRate = 0;
    // The slip already made a sale: its kind cannot change.
    bool saleExists = false;
    // The NyuukoKbn table in its order.
    std::vector<data::NyuukoKbnRow> categories;
    QDate today = QDate::currentDate();
};

// The header form of the slip window (基本項目): number, billing
// customer, kind, dates, job category, mileage and the two rates, each
// checked when it is left.
class CFKihon : public QWidget {
    Q_OBJECT
public:
    explicit CFKihon(QWidget* parent = nullptr);
    ~CFKihon() override;

    void fill(const HeaderSetup& setup);
    // Every field in order; false after the message with the focus on the
    // offending field.
    bool validateHeader(HeaderValues* values);

    int slipKind() const;
    // 発行日 as it reads now; invalid while it is no date.
    QDate issueDate() const;
    // The selected job category, nullptr when the list is empty.
    const JobCategory* selectedCategory() const;
    const JobCategoryList& categories() const { return m_categories; }
    // Where the user starts: 伝票種別, or 発行日 while the kind is fixed.
    void focusFirstField();

    CEditEx* slipNumberEdit() const { return m_slipNumber; }
    CEditEx* billingEdit() const { return m_billing; }
    CComboBoxEn* kindCombo() const { return m_kind; }
    CNumericEditEx* issueDateEdit() const { return m_issueDate; }
    CComboBoxEn* categoryCombo() const { return m_category; }
    CNumericEditEx* mileageEdit() const { return m_mileage; }
    CNumericEditEx* nextInspectionEdit() const { return m_nextInspection; }
    CNumericEditEx* dateInEdit() const { return m_dateIn; }
    CNumericEditEx* deliveryDateEdit() const { return m_deliveryDate; }
    CNumericEditEx* labourRateEdit() const { return m_labourRate; }
    CNumericEditEx* bodyWorkRateEdit() const { return m_bodyWorkRate; }

signals:
    // The user chose another job category (not while modifying): the frame
    // sets or clears the statutory costs of the totals.
    void categoryChanged(int kind);
    // A rate field was left with a valid value: the lines price labour at
    // the rates the header shows, however the user reaches the grid.
    void ratesChanged(int labourRate, int bodyWorkRate);

protected:
    // Enter and Tab go round this form's fields only.
    bool focusNextPrevChild(bool next) override;

private:
    void buildLayout();
    void attachChecks();
    void onCategoryChosen();
    void onRateLeft();
    QDate proposedNextInspectionDate() const;
    // Shows a next inspection the form proposes or read from the slip.
    void showNextInspection(const QDate& date);
    bool refuse(CEditEx* field, const QString& message);

    JobCategoryList m_categories;
    SlipMode m_mode = SlipMode::New;
    data::CarRow m_vehicle;
    bool m_filling = false;
    // The next inspection as last shown by the form, and its text.
    QDate m_shownNextInspection;
    QString m_shownNextInspectionText;

    CEditEx* m_slipNumber = nullptr;
    CEditEx* m_billing = nullptr;
    CComboBoxEn* m_kind = nullptr;
    CNumericEditEx* m_issueDate = nullptr;
    CComboBoxEn* m_category = nullptr;
    CNumericEditEx* m_mileage = nullptr;
    CNumericEditEx* m_nextInspection = nullptr;
    CNumericEditEx* m_dateIn = nullptr;
    CNumericEditEx* m_deliveryDate = nullptr;
    CNumericEditEx* m_labourRate = nullptr;
    CNumericEditEx* m_bodyWorkRate = nullptr;
};

} // namespace kv::slips
