#pragma once

#include <QWidget>

class QAbstractButton;
class QButtonGroup;

namespace kv::masters {

// The ten kana buttons of a list in reading order, one of them pressed.
class KanaButtonBar : public QWidget {
    Q_OBJECT
public:
    enum class Captions { Dialog, PickList };

    explicit KanaButtonBar(Captions captions, QWidget* parent = nullptr);

    // Presses the button without emitting chosen().
    void press(int button);
    int pressed() const;
    QAbstractButton* button(int index) const;

signals:
    void chosen(int button);

private:
    QButtonGroup* m_group;
};

} // namespace kv::masters
