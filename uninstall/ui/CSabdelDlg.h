#pragma once

#include <QDialog>

class QPushButton;

namespace kv::uninstall {

// "サビオンの削除": what the uninstaller will do and the warning to back up
// first; 実行 (the default, Enter) goes on, 中止 (Esc) ends.
class CSabdelDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSabdelDlg(QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_run; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QPushButton* m_run;
    QPushButton* m_cancel;
};

} // namespace kv::uninstall
