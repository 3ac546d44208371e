#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace kv::backup {

// The backup's progress window (modeless; the main window is disabled
// while it is open): a bar of whole percentages and
// "ｷｬﾝｾﾙ(Esc)", which asks "本当によろしいですね？" before it stops the
// backup.
class CDProgress : public QDialog {
    Q_OBJECT
public:
    explicit CDProgress(QWidget* parent = nullptr);

    void setProgress(int percent);
    int progress() const;

    // Esc and the cancel button.
    void reject() override;

signals:
    // The user confirmed the cancel; the window has closed.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_closing = false;
};

} // namespace kv::backup
