#pragma once

#include "app/firststart/FirstStartSetup.h"

#include <QDialog>

class QLayout;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kv {
class CEditEx;
}

namespace kv::app {

// The first start's window: a new data folder for this computer (with the
// shop's name and telephone for 自社情報), the demo data, or a client of a
// server. 開始 sets it up and writes the installation file; 中止 (Esc) ends
// with nothing written. A refusal keeps the window open on the field.
class CFirstStartDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CFirstStartDlg(FirstStartSetup& setup, QWidget* parent = nullptr);

    QRadioButton* choiceButton(FirstStartSetup::Kind kind) const;
    CEditEx* dataFolderEdit() const { return m_dataFolder; }
    CEditEx* shopNameEdit() const { return m_shopName; }
    CEditEx* telephoneEdit() const { return m_telephone; }
    CEditEx* serverEdit() const { return m_server; }
    CEditEx* portEdit() const { return m_port; }
    CEditEx* mountFolderEdit() const { return m_mountFolder; }
    QPushButton* startButton() const { return m_start; }

    FirstStartSetup::Choice choice() const;

private:
    void start();
    void showChoice();
    // The folder's edit with its 参照 button.
    QLayout* folderRow(CEditEx* edit);
    void chooseFolder(CEditEx* edit);

    FirstStartSetup& m_setup;
    QRadioButton* m_newData;
    QRadioButton* m_demo;
    QRadioButton* m_client;
    QWidget* m_newDataFields;
    QWidget* m_clientFields;
    CEditEx* m_dataFolder;
    CEditEx* m_shopName;
    CEditEx* m_telephone;
    CEditEx* m_server;
    CEditEx* m_port;
    CEditEx* m_mountFolder;
    QPushButton* m_start;
};

} // namespace kv::app
