#pragma once

#include <QDialog>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace kv {
class CEditEx;
}

namespace kv::data {
class SettingsStore;
struct RoundingRule;
}

namespace kv::slips {

// The rounding settings (端数処理): the consumption-tax rate and how tax,
// parts, discounts, the billed amount and labour are rounded. Reads
// "002.dat" again when it opens; recording writes it and tells the other
// computers.
class CDSetHasuuCalc : public QDialog {
    Q_OBJECT
public:
    // The announced kind of data.
    static QString updateKind();

    enum class Rule { Tax, Parts, Discount, Billed, Labour };

    explicit CDSetHasuuCalc(data::SettingsStore& settings, QWidget* parent = nullptr);
    ~CDSetHasuuCalc() override;

    CEditEx* rateEdit() const { return m_rate; }
    // type 0 切り捨て, 1 切り上げ, 2 四捨五入; unit 0 １円未満, 1 １０円未満,
    // 2 １００円未満.
    QRadioButton* typeButton(Rule rule, int type) const;
    QRadioButton* unitButton(Rule rule, int unit) const;
    QPushButton* recordButton() const { return m_record; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    struct RuleButtons {
        QButtonGroup* types = nullptr;
        QButtonGroup* units = nullptr;
    };

    void buildLayout();
    void showSettings();
    void onRecord();
    data::RoundingRule* ruleOf(Rule rule) const;

    data::SettingsStore& m_settings;
    int m_rateHundredths = 0;
    CEditEx* m_rate = nullptr;
    RuleButtons m_buttons[5];
    QPushButton* m_record = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kv::slips
