#pragma once

#include <QDialog>

#include <functional>

namespace kv {
class CListCtrlEx;
}

namespace kv::masters {

// A dialog that edits a table through the document's shared recordset:
// however it closes, the recordset goes back to its usual view (a failure
// shown when it closes by a button). Rows are deleted with the right button.
class TableDialog : public QDialog {
    Q_OBJECT
public:
    ~TableDialog() override;
    void done(int result) override;

protected:
    // resetView: the recordset back to its view; the engine's message or empty.
    TableDialog(std::function<QString()> resetView, QWidget* parent);

    // The row under the mouse, made the selected one; -1 for none.
    static int rowUnder(CListCtrlEx* list, const QPoint& at);
    // "削除します！" asked, No the default; true for Yes.
    static bool confirmDelete();

private:
    std::function<QString()> m_resetView;
    bool m_finished = false;
};

} // namespace kv::masters
