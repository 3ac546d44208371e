#include "records/search/CKokRanSearchListView.h"

#include "controls/TypedListModel.h"
#include "records/search/SearchProfile.h"

namespace kv::records::search {
namespace {

const QString kSection = QStringLiteral("KokRanSearchListView");
const QString kKeys[] = {QStringLiteral("NameWidth"), QStringLiteral("JyuWidth")};

} // namespace

CKokRanSearchListView::CKokRanSearchListView(SearchProfile& profile, QWidget* parent)
    : CListCtrlEx(parent)
    , m_customers(new TypedListModel<CustomerRow>(
          {{QStringLiteral("      名  前（↑↓）"), profile.columnWidth(kSection, kKeys[0], 150),
            Qt::AlignLeft, &CustomerRow::name},
           {QStringLiteral("住  所"), profile.columnWidth(kSection, kKeys[1], 220), Qt::AlignLeft,
            &CustomerRow::address}},
          &CustomerRow::code, this))
{
    setRows(m_customers);
    connect(this, &CListCtrlEx::columnWidthChosen, this, [&profile](int column, int width) {
        if (column >= 0 && column < 2)
            profile.setColumnWidth(kSection, kKeys[column], width);
    });
}

void CKokRanSearchListView::fill(const std::vector<CustomerRow>& rows)
{
    m_customers->replaceAll(rows);
}

} // namespace kv::records::search
