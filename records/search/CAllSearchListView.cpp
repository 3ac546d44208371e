#include "records/search/CAllSearchListView.h"

#include "controls/TypedListModel.h"
#include "records/search/SearchProfile.h"

namespace kv::records::search {
namespace {

using ResultColumn = TypedListModel<QueryResultRow>::Column;

const QString kSection = QStringLiteral("AllSearchListView");
const QString kKeys[] = {QStringLiteral("NameWidth"), QStringLiteral("JyuWidth"),
                         QStringLiteral("ToubanWidth"), QStringLiteral("SyameiWidth")};
const int kDefaultWidths[] = {150, 220, 140, 150};

QList<ResultColumn> resultColumns(SearchProfile& profile, bool vehicles)
{
    QList<ResultColumn> columns{
        {QStringLiteral("      名  前（↑↓）"), 0, Qt::AlignLeft,
         [](const QueryResultRow& row) { return row.customer.name; }},
        {QStringLiteral("住  所"), 0, Qt::AlignLeft,
         [](const QueryResultRow& row) { return row.customer.address; }},
        {QStringLiteral("登録番号"), 0, Qt::AlignLeft,
         [](const QueryResultRow& row) { return row.vehicle.plate(); }},
        {QStringLiteral("車  名"), 0, Qt::AlignLeft,
         [](const QueryResultRow& row) { return row.vehicle.nameAndModel(); }}};
    if (!vehicles)
        columns.resize(2);
    for (int column = 0; column < columns.size(); ++column)
        columns[column].width =
            profile.columnWidth(kSection, kKeys[column], kDefaultWidths[column]);
    return columns;
}

} // namespace

CAllSearchListView::CAllSearchListView(SearchProfile& profile, bool vehicles, QWidget* parent)
    : CListCtrlEx(parent)
    , m_results(new TypedListModel<QueryResultRow>(
          resultColumns(profile, vehicles),
          [vehicles](const QueryResultRow& row) {
              return vehicles ? row.vehicle.code : row.customer.code;
          },
          this))
{
    setRows(m_results);
    const int count = int(m_results->columns().size());
    connect(this, &CListCtrlEx::columnWidthChosen, this, [&profile, count](int column, int width) {
        if (column >= 0 && column < count)
            profile.setColumnWidth(kSection, kKeys[column], width);
    });
}

void CAllSearchListView::fill(const std::vector<QueryResultRow>& rows)
{
    m_results->replaceAll(rows);
}

} // namespace kv::records::search
