#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace kv::backup {

// The progress window of the backup and the restore (modeless; the main
// window is disabled while it is open): a bar of whole percentages and
// "ｷｬﾝｾﾙ(Esc)", which asks "本当によろしいですね？" before it stops the
// work.
class CDProgress : public QDialog {
    Q_OBJECT
public:
    explicit CDProgress(const QString& title = QStringLiteral("バックアップ中"),
                        QWidget* parent = nullptr);

    void setProgress(int percent);
    int progress() const;
    // Once the work cannot be stopped, the cancel button is disabled and
    // Esc does nothing.
    void setCancellable(bool cancellable);
    bool isCancellable() const { return m_cancellable; }

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
    bool m_cancellable = true;
};

} // namespace kv::backup
