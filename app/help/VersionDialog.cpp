#include "app/help/VersionDialog.h"

#include "app/startup/StartupTexts.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::app {

VersionDialog::VersionDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setObjectName(QStringLiteral("versionDialog"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/sabion.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QPlainTextEdit(versionText(), this);
    text->setReadOnly(true);
    text->setObjectName(QStringLiteral("versionText"));
    text->setFixedSize(300, 90);

    auto* ok = new QPushButton(QStringLiteral("OK(Enter)"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

QString VersionDialog::versionText()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral("1.0.0");
    return StartupTexts::FrameTitle + QStringLiteral("\nVersion ") + version
           + QStringLiteral("\nCopyright (C) Kelvane");
}

} // namespace kv::app
