#pragma once

#include <QWidget>

class QLabel;

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

namespace kv::slips {

// The header pane of the set window: the set's code, name and reading,
// and the count label.
class CFSetMeisaiSet : public QWidget {
    Q_OBJECT
public:
    explicit CFSetMeisaiSet(QWidget* parent = nullptr);

    CNumericEditEx* codeEdit() const { return m_code; }
    CEditEx* nameEdit() const { return m_name; }
    CEditEx* readingEdit() const { return m_reading; }
    QLabel* countLabel() const { return m_count; }

private:
    CNumericEditEx* m_code;
    CEditEx* m_name;
    CEditEx* m_reading;
    QLabel* m_count;
};

} // namespace kv::slips
