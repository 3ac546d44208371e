#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kv::data {
class SettingsStore;
}

namespace kv::masters {

// The prefecture the postal search looks in first ("001.dat"): "（なし）"
// or one of the 47, as an index of the prefecture list (-1 none).
class CDSetPostDefault : public QDialog {
    Q_OBJECT
public:
    static QString updateKind(); // "郵便番号検索 標準都道府県"

    explicit CDSetPostDefault(data::SettingsStore& settings, QWidget* parent = nullptr);
    ~CDSetPostDefault() override;

    QComboBox* prefectureCombo() const { return m_prefectures; }
    QPushButton* okButton() const { return m_ok; }

private:
    void onOk();

    data::SettingsStore& m_settings;
    QComboBox* m_prefectures = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace kv::masters
