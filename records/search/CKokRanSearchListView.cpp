#include "records/search/CKokRanSearchListView.h"

#include "records/search/SearchProfile.h"

namespace kv::records::search {
namespace {

const QString kSection = QStringLiteral("KokRanSearchListView");
const QString kKeys[] = {QStringLiteral("NameWidth"), QStringLiteral("JyuWidth")};

} // namespace

CKokRanSearchListView::CKokRanSearchListView(SearchProfile& profile, QWidget* parent)
    : CListCtrlEx(parent)
{
    setColumns({{QStringLiteral("      名  前（↑↓）"), profile.columnWidth(kSection, kKeys[0], 150)},
                {QStringLiteral("住  所"), profile.columnWidth(kSection, kKeys[1], 220)}});
    connect(this, &CListCtrlEx::columnWidthChosen, this, [&profile](int column, int width) {
        if (column >= 0 && column < 2)
            profile.setColumnWidth(kSection, kKeys[column], width);
    });
}

void CKokRanSearchListView::fill(const std::vector<CustomerRow>& rows)
{
    clearRows();
    for (const CustomerRow& row : rows)
        addRow({row.name, row.address}, row.code);
}

} // namespace kv::records::search
