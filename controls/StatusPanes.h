#pragma once

#include <QLabel>
#include <QObject>

class QStatusBar;

namespace kv {

// The right-hand panes of a window's status bar: sunken, fixed to the width
// of their widest text, and the keyboard's lock indicators ("ｶﾅ", "CAP",
// "NUM", "SCRL") kept current as keys are released and the program comes
// back to the front.
class StatusPanes : public QObject {
public:
    // Adds the lock indicators after whatever panes the bar already has.
    explicit StatusPanes(QStatusBar* bar);

    // A permanent pane as wide as `widest`, named for lookups.
    static QLabel* addPane(QStatusBar* bar, const QString& widest, const QString& name);

    void updateIndicators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_kana;
    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;
};

} // namespace kv
