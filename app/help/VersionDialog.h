#pragma once

#include <QDialog>

namespace kv::app {

// "ﾊﾞｰｼﾞｮﾝ情報": the program's icon, its title and version, and one button.
class VersionDialog : public QDialog {
    Q_OBJECT
public:
    explicit VersionDialog(QWidget* parent = nullptr);
    static QString versionText();
};

} // namespace kv::app
