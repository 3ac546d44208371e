#pragma once

#include "records/search/SearchRows.h"

#include <QMainWindow>

namespace kv::records::search {

class CAllSearchListView;
class PanelNavigator;
class SearchProfile;

// The query-by-form results, "指定検索　該当顧客 = n件" or "… 該当車輌 = n件":
// the panel follows the selected row (customer or vehicle); Esc or Enter
// closes the window, which keeps its placement.
class CAllSearchFrame : public QMainWindow {
    Q_OBJECT
public:
    CAllSearchFrame(const RowList<QueryResultRow>& results, bool vehicles,
                    PanelNavigator& navigator, SearchProfile& profile, QWidget* mainWindow);

    // Places and shows the window and selects the first row.
    void open();
    CAllSearchListView* listView() const { return m_list; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelected();

    PanelNavigator& m_navigator;
    SearchProfile& m_profile;
    QWidget* m_mainWindow;
    bool m_vehicles;
    CAllSearchListView* m_list;
};

} // namespace kv::records::search
