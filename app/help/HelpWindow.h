#pragma once

#include <QTextBrowser>

namespace kv::app {

// The help: a window of its own showing the program's help page, with links
// followed inside it. Reports when the user closes it, so the command can be
// offered again.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // False (nothing shown) when the page does not exist.
    bool showPage(const QString& file);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kv::app
