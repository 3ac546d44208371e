#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace kv {
class CEditEx;
}

namespace kv::data {
class SettingsStore;
}

namespace kv::slips {

// The print positions of slips (印刷位置): the whole page's and the
// addressee's top and left margins, the fold and centre marks, the ink and
// two options. Reads "003.dat" and the printer's position file again when
// it opens; recording writes both and tells the other computers.
class CDSetDenPrintPos : public QDialog {
    Q_OBJECT
public:
    enum Field { PageTop, PageLeft, AddresseeTop, AddresseeLeft, UpperFold, CentreLine, LowerFold };
    static constexpr int kFieldCount = 7;

    // The announced kind of data.
    static QString updateKind() { return QStringLiteral("印字"); }

    explicit CDSetDenPrintPos(data::SettingsStore& settings, QWidget* parent = nullptr);
    ~CDSetDenPrintPos() override;

    CEditEx* field(Field which) const { return m_fields[size_t(which)]; }
    QRadioButton* blackAndWhiteButton() const { return m_blackAndWhite; }
    QRadioButton* colourButton() const { return m_colour; }
    QCheckBox* discountSignBox() const { return m_discountSign; }
    QCheckBox* breakdownBox() const { return m_breakdown; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void buildLayout();
    void showSettings();
    void onRecord();
    int* storedValue(Field which) const;
    static bool isMargin(Field which) { return which <= AddresseeLeft; }

    data::SettingsStore& m_settings;
    std::array<CEditEx*, kFieldCount> m_fields{};
    QRadioButton* m_blackAndWhite = nullptr;
    QRadioButton* m_colour = nullptr;
    QCheckBox* m_discountSign = nullptr;
    QCheckBox* m_breakdown = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kv::slips
