#include "records/search/CAllSearchListView.h"

#include "records/search/SearchProfile.h"

namespace kv::records::search {
namespace {

const QString kSection = QStringLiteral("AllSearchListView");
const QString kKeys[] = {QStringLiteral("NameWidth"), QStringLiteral("JyuWidth"),
                         QStringLiteral("ToubanWidth"), QStringLiteral("SyameiWidth")};
const int kDefaultWidths[] = {150, 220, 140, 150};

} // namespace

CAllSearchListView::CAllSearchListView(SearchProfile& profile, bool vehicles, QWidget* parent)
    : CListCtrlEx(parent)
    , m_vehicles(vehicles)
{
    const QString headings[] = {QStringLiteral("      名  前（↑↓）"), QStringLiteral("住  所"),
                                QStringLiteral("登録番号"), QStringLiteral("車  名")};
    QList<Column> columns;
    for (int column = 0; column < (vehicles ? 4 : 2); ++column)
        columns.append({headings[column],
                        profile.columnWidth(kSection, kKeys[column], kDefaultWidths[column])});
    setColumns(columns);
    const int count = int(columns.size());
    connect(this, &CListCtrlEx::columnWidthChosen, this, [&profile, count](int column, int width) {
        if (column >= 0 && column < count)
            profile.setColumnWidth(kSection, kKeys[column], width);
    });
}

void CAllSearchListView::fill(const std::vector<QueryResultRow>& rows)
{
    clearRows();
    for (const QueryResultRow& row : rows) {
        if (m_vehicles)
            addRow({row.customer.name, row.customer.address, row.vehicle.plate(),
                    row.vehicle.nameAndModel()},
                   row.vehicle.code);
        else
            addRow({row.customer.name, row.customer.address}, row.customer.code);
    }
}

} // namespace kv::records::search
