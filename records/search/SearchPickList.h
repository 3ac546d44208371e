#pragma once

#include <QDialog>
#include <QStringList>

namespace kv {
class CListCtrlEx;
}

namespace kv::records::search {

// The modal pick list of a search that found several records: a list of
// rows (cream, the chosen one green), moved through with the arrow keys;
// Enter or the OK button returns the chosen row's code, Esc or Cancel -1.
class SearchPickList : public QDialog {
    Q_OBJECT
public:
    // The code of the chosen row, or -1 when cancelled.
    int run();
    CListCtrlEx* list() const { return m_list; }
    int chosenCode() const;

protected:
    SearchPickList(const QString& caption, const QString& firstHeading, int firstWidth,
                   const QString& secondHeading, const QString& okText, const QString& cancelText,
                   QWidget* parent);
    void addRow(const QString& first, const QString& second, int code);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CListCtrlEx* m_list;
};

} // namespace kv::records::search
