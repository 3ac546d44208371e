#pragma once

#include <QAbstractButton>

class QStyleOptionButton;

namespace kv {

// The button of forms, drawn as a push button or as a check box. A focused
// one moves the focus on Enter instead of being pressed; Space presses it
// (and so toggles a check box).
class CButtonEx : public QAbstractButton {
    Q_OBJECT
public:
    enum class Kind { PushButton, CheckBox };

    explicit CButtonEx(QWidget* parent = nullptr);
    CButtonEx(const QString& text, Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    void setKind(Kind kind);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void initStyleOption(QStyleOptionButton* option) const;

    Kind m_kind = Kind::PushButton;
};

} // namespace kv
