#pragma once

#include <QObject>
#include <QPointer>

namespace kv::records::search {
class CAllSearchFrame;
class PanelSearches;
class SearchProfile;
} // namespace kv::records::search

namespace kv::records {

class CFMainPanel;
class QueryFormHost;

// The query-by-form search (指定検索): the same command first turns the
// panel into the query form, then runs the query and shows its result
// window; query mode lasts until there is no result or that window closes.
class PanelQueryForm : public QObject {
    Q_OBJECT
public:
    // Nothing is owned.
    PanelQueryForm(CFMainPanel& panel, search::PanelSearches& searches,
                   search::SearchProfile& profile, QueryFormHost& host);
    ~PanelQueryForm() override;

    // Ctrl+F2: starts the query, executes it, or raises the open result window.
    void run();

    // The open result window, if any.
    search::CAllSearchFrame* resultWindow() const;

private:
    void start();
    void execute();
    void enableTarget(int target);
    void endWithoutResult();
    void resultsClosed();
    int modeToRestore() const;

    CFMainPanel& m_panel;
    search::PanelSearches& m_searches;
    search::SearchProfile& m_profile;
    QueryFormHost& m_host;
    bool m_entering = false;
    int m_modeBefore = 0;
    QPointer<search::CAllSearchFrame> m_results;
};

} // namespace kv::records
