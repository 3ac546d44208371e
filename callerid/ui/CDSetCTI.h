#pragma once

#include "data/settings/CallerIdSettings.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kv::callerid {

class RingSound;
class WaveFileChooser;

// The caller-ID settings (ナンバー・ディスプレイ設定): the adapter's port
// (none, COM1 to COM6), whether a call rings, and the wave file it rings
// with, chosen, loaded and tried here. OK stores them for the next start
// of the program; the caller then ends the program.
class CDSetCTI : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        data::CallerIdSettings current;
        RingSound* sound = nullptr;
        WaveFileChooser* chooser = nullptr;
        // Writes the chosen settings to "017.dat"; false after its message.
        std::function<bool(const data::CallerIdSettings&)> store;
    };

    explicit CDSetCTI(Setup setup, QWidget* parent = nullptr);

    data::CallerIdSettings chosen() const;

    void accept() override;
    void reject() override;

    QComboBox* portList() const { return m_port; }
    QRadioButton* ringChoice() const { return m_ring; }
    QRadioButton* silentChoice() const { return m_silent; }
    QLineEdit* pathField() const { return m_path; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* testButton() const { return m_test; }

private:
    void updateControls();
    void browse();
    // The sound file is needed only when a port is set and a call rings.
    bool needsSound() const;

    Setup m_setup;
    QComboBox* m_port = nullptr;
    QButtonGroup* m_option = nullptr;
    QRadioButton* m_ring = nullptr;
    QRadioButton* m_silent = nullptr;
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_test = nullptr;
};

} // namespace kv::callerid
