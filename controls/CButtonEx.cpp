#include "controls/CButtonEx.h"

#include "controls/FieldKeyRules.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace kv {

CButtonEx::CButtonEx(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

CButtonEx::CButtonEx(const QString& text, Kind kind, QWidget* parent)
    : CButtonEx(parent)
{
    setText(text);
    setKind(kind);
}

void CButtonEx::setKind(Kind kind)
{
    m_kind = kind;
    setCheckable(kind == Kind::CheckBox);
    updateGeometry();
    update();
}

void CButtonEx::initStyleOption(QStyleOptionButton* option) const
{
    option->initFrom(this);
    option->text = text();
    option->icon = icon();
    option->iconSize = iconSize();
    if (isDown())
        option->state |= QStyle::State_Sunken;
    if (m_kind == Kind::CheckBox) {
        option->state |= isChecked() ? QStyle::State_On : QStyle::State_Off;
    } else {
        option->features = QStyleOptionButton::None;
        if (!isDown())
            option->state |= QStyle::State_Raised;
        if (isChecked())
            option->state |= QStyle::State_On;
    }
}

QSize CButtonEx::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    QSize contents = metrics.size(Qt::TextShowMnemonic, text());
    if (!icon().isNull()) {
        contents.rwidth() += iconSize().width() + 4;
        contents.setHeight(std::max(contents.height(), iconSize().height()));
    }
    if (m_kind == Kind::CheckBox) {
        const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
        const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
        contents.rwidth() += indicator + spacing;
        contents.setHeight(std::max(contents.height(),
                                    style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this)));
        return style()->sizeFromContents(QStyle::CT_CheckBox, &option, contents, this);
    }
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, this);
}

QSize CButtonEx::minimumSizeHint() const
{
    return sizeHint();
}

bool CButtonEx::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && FieldKeyRules::handleKeyPress(this, static_cast<QKeyEvent*>(event),
                                         [this](bool next) { return focusNextPrevChild(next); }))
        return true;
    return QAbstractButton::event(event);
}

void CButtonEx::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(m_kind == Kind::CheckBox ? QStyle::CE_CheckBox : QStyle::CE_PushButton,
                        option);
}

} // namespace kv
