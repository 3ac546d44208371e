#pragma once

#include "reports/core/ReportTable.h"
#include "reports/ui/ReportDialog.h"

#include <memory>

namespace kv::reports {

// A list report made from its checked fields: the table its printout and
// its CSV file both show, and the rows of one printed page.
struct ListReport {
    std::unique_ptr<ReportTable> table;
    int rowsPerPage = 1;
    // The totals take the place of a row on the last page (a new page when
    // the last is full).
    bool totalsTakeARow = false;
};

// A report dialog whose report is a table: printed, previewed and saved as
// PDF through the run, and written as a CSV file ("CSV出力") with the same
// rows through the file chooser.
class ListReportDialog : public ReportDialog {
    Q_OBJECT
public:
    ListReportDialog(Setup setup, int kind, const QString& title);

    QPushButton* csvButton() const { return m_csv; }
    // Checks the fields and writes the list to the file the user chooses;
    // true when written.
    bool writeCsv();

protected:
    // The list of the checked fields; nullptr after its own message (a
    // missing balance, an overflow, the engine's text).
    virtual std::unique_ptr<ListReport> makeList() = 0;
    // Shown when the list has no rows.
    virtual QString emptyMessage() const { return ReportRun::kNothingSelected; }

    ReportRun::Request request(ReportRun::Way way) override;
    const QString& title() const { return m_title; }

private:
    QString m_title;
    QPushButton* m_csv;
};

} // namespace kv::reports
