#include "callerid/ui/CDCtiInfo.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::callerid {

namespace {

const QColor kWindow(132, 255, 132);
const QColor kCaption(0, 255, 255);
const QColor kValue(255, 251, 240);

QLabel* caption(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kCaption);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setMargin(2);
    return label;
}

QLineEdit* value(const QString& text, const char* name, int chars, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, kValue);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * chars);
    field->setCursorPosition(0);
    return field;
}

} // namespace

CDCtiInfo::CDCtiInfo(const data::CallInfoEntry& call, Setup setup, QWidget* parent)
    : QDialog(parent)
    , m_call(call)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("callPopup"));
    setWindowTitle(QStringLiteral("着信"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    // A pop-up left open never keeps the program running once the main
    // window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindow);
    palette.setColor(QPalette::Button, kWindow);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);

    auto* grid = new QGridLayout;
    grid->addWidget(caption("ﾌﾘｶﾞﾅ", this), 0, 0);
    grid->addWidget(value(call.furi, "furi", 20, this), 0, 1, 1, 2);
    grid->addWidget(caption("氏　名", this), 1, 0);
    grid->addWidget(value(call.ownerName1, "ownerName1", 20, this), 1, 1);
    grid->addWidget(value(call.ownerName2, "ownerName2", 20, this), 1, 2);
    grid->addWidget(caption("住　所", this), 2, 0);
    grid->addWidget(value(call.ownerJyu1, "ownerJyu1", 30, this), 2, 1, 1, 2);
    grid->addWidget(value(call.ownerJyu2, "ownerJyu2", 30, this), 3, 1, 1, 2);
    grid->addWidget(caption("ＴＥＬ", this), 4, 0);
    grid->addWidget(value(call.tel1, "tel1", 20, this), 4, 1);
    grid->addWidget(value(call.tel2, "tel2", 20, this), 4, 2);
    grid->addWidget(caption("着信日時", this), 5, 0);
    grid->addWidget(value(call.arrival, "arrival", 16, this), 5, 1);

    auto* show = new QPushButton(QStringLiteral("顧客表示"), this);
    show->setObjectName(QStringLiteral("showCustomer"));
    show->setDefault(true);
    show->setAutoDefault(true);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(show, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(show);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    show->setFocus();

    if (!m_setup.stays) {
        m_closeTimer.setSingleShot(true);
        connect(&m_closeTimer, &QTimer::timeout, this, &QDialog::reject);
        m_closeTimer.start(std::clamp(m_setup.seconds, 1, 60) * 1000);
    }
}

void CDCtiInfo::done(int result)
{
    if (m_closed)
        return;
    if (result == QDialog::Accepted
        && (!m_setup.showCustomer || !m_setup.showCustomer(m_call.kokCode)))
        return;
    m_closed = true;
    m_closeTimer.stop();
    QDialog::done(result);
    emit closed(this);
}

void CDCtiInfo::closeEvent(QCloseEvent* event)
{
    // The close button: as Esc.
    if (!m_closed) {
        event->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kv::callerid
