#pragma once

#include <QDialog>

class QRadioButton;
class QSettings;
class QSpinBox;

namespace kv::callerid {

// The pop-up settings (着信表示設定): whether a call's pop-up closes by
// itself after 1 to 60 seconds or stays until it is closed. OK stores them
// in the profile ("CtiInfo": "ButtonPush", "DspSecond"); the next pop-up
// uses them.
class CDSetCtiInfo : public QDialog {
    Q_OBJECT
public:
    explicit CDSetCtiInfo(QSettings* profile, QWidget* parent = nullptr);

    void accept() override;

    QRadioButton* closesChoice() const { return m_closes; }
    QRadioButton* staysChoice() const { return m_stays; }
    QSpinBox* secondsField() const { return m_seconds; }

private:
    QSettings* m_profile;
    QRadioButton* m_closes = nullptr;
    QRadioButton* m_stays = nullptr;
    QSpinBox* m_seconds = nullptr;
};

} // namespace kv::callerid
