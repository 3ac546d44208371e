#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace kv::data {
class SettingsStore;
}

namespace kv::slips {

// Whether the agency fee (代行料) of new slips is taxable: "001.dat",
// read again when the dialog opens, written and announced on recording.
// Slips already written keep their own tick.
class CDSetKazei : public QDialog {
    Q_OBJECT
public:
    // The announced kind of data.
    static QString updateKind();

    explicit CDSetKazei(data::SettingsStore& settings, QWidget* parent = nullptr);
    ~CDSetKazei() override;

    QCheckBox* taxableBox() const { return m_taxable; }
    QPushButton* recordButton() const { return m_record; }

private:
    void onRecord();

    data::SettingsStore& m_settings;
    QCheckBox* m_taxable = nullptr;
    QPushButton* m_record = nullptr;
};

} // namespace kv::slips
