#include "reports/ui/ListReportDialog.h"

#include "common/MessageGateway.h"
#include "controls/FileChooser.h"
#include "reports/core/ReportCsv.h"
#include "reports/print/TableListPrintout.h"

#include <QPushButton>

namespace kv::reports {

namespace {

// The printout of a list, keeping its table for as long as it pages.
class OwnedListPrintout final : public print::PagePainter {
public:
    explicit OwnedListPrintout(std::unique_ptr<ListReport> list)
        : m_list(std::move(list))
        , m_pages(*m_list->table, m_list->rowsPerPage, plan(*m_list), QDate::currentDate())
    {
    }
    print::PageLayout layout() const override { return m_pages.layout(); }
    int pageCount() const override { return m_pages.pageCount(); }
    void paintPage(int page, QPainter& painter) override { m_pages.paintPage(page, painter); }

private:
    static std::vector<TableListPrintout::PlannedPage> plan(ListReport& list)
    {
        const int count = list.table->rowCount();
        const int pages = count == 0 ? 0
            : list.totalsTakeARow   ? (count + list.rowsPerPage) / list.rowsPerPage
                                    : (count + list.rowsPerPage - 1) / list.rowsPerPage;
        auto planned = std::vector<TableListPrintout::PlannedPage>(size_t(pages));
        for (int row = 0; row < count; ++row)
            planned[size_t(row / list.rowsPerPage)].push_back({row, 1});
        return planned;
    }

    std::unique_ptr<ListReport> m_list;
    TableListPrintout m_pages;
};

} // namespace

ListReportDialog::ListReportDialog(Setup setup, int kind, const QString& title)
    : ReportDialog(std::move(setup), kind, title)
    , m_title(title)
    , m_csv(new QPushButton(QStringLiteral("CSV出力"), this))
{
    addButton(m_csv);
    connect(m_csv, &QPushButton::clicked, this, [this] { writeCsv(); });
}

ReportRun::Request ListReportDialog::request(ReportRun::Way)
{
    ReportRun::Request asked;
    asked.printout = [this]() -> std::unique_ptr<print::PagePainter> {
        std::unique_ptr<ListReport> list = makeList();
        if (!list)
            return nullptr;
        return std::make_unique<OwnedListPrintout>(std::move(list));
    };
    asked.emptyMessage = emptyMessage();
    asked.pdfName = m_title + QStringLiteral(".pdf");
    return asked;
}

bool ListReportDialog::writeCsv()
{
    if (!checkFields())
        return false;
    std::unique_ptr<ListReport> list = makeList();
    if (!list)
        return false;
    if (list->table->rowCount() == 0) {
        showMessage(emptyMessage());
        return false;
    }
    const QString path = fileChooser().saveFile(this, QStringLiteral("CSV出力"), m_title + QStringLiteral(".csv"),
                                                QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!ReportCsv::write(*list->table, path, ReportCsv::Encoding::Cp932, &error)) {
        showMessage(error);
        return false;
    }
    return true;
}

} // namespace kv::reports
