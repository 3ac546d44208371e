#pragma once

#include <QMainWindow>

class QAction;
class QActionGroup;

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

class CKokRanSearchListView;
class PanelNavigator;
class SearchProfile;

// "顧客ﾌﾘｶﾞﾅ一覧検索": the customers of one kana row of the syllabary, chosen
// with the toolbar or the keys 1..9, 0 and "." (every other reading). The
// panel follows the selected row while the user moves with the arrow keys;
// Esc or Enter closes the window, which keeps its placement and row.
class CKokRanSearchFrame : public QMainWindow {
    Q_OBJECT
public:
    CKokRanSearchFrame(data::DataStore& store, PanelNavigator& navigator, SearchProfile& profile,
                       QWidget* mainWindow);
    ~CKokRanSearchFrame() override;

    // Places the window, fills the saved row and shows it.
    void open();
    void chooseRow(int row);
    int currentRow() const { return m_row; }
    CKokRanSearchListView* listView() const { return m_list; }
    QAction* rowAction(int row) const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelected();

    data::DataStore& m_store;
    PanelNavigator& m_navigator;
    SearchProfile& m_profile;
    QWidget* m_mainWindow;
    CKokRanSearchListView* m_list;
    QActionGroup* m_rows;
    int m_row = 0;
    bool m_filling = false;
};

} // namespace kv::records::search
