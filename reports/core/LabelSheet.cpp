#include "reports/core/LabelSheet.h"

#include "data/tables/DaoRecordsets.h"
#include "data/tables/TableRows.h"
#include "reports/core/FilterText.h"
#include "reports/core/SelectedRows.h"

#include <algorithm>

namespace kv::reports {

LabelSheet LabelSheet::fromRow(const data::SealRow& row)
{
    return LabelSheet{row.m_Gyo, row.m_Retu, row.m_Tate, row.m_Yoko, row.m_Top, row.m_Left,
                      row.m_Vertical, row.m_Horizontal};
}

std::optional<LabelSheet> LabelSheet::lookUp(data::DataStore& store, const QString& maker,
                                             const QString& productNumber)
{
    SelectedRows<CDaoSealSet> sheets(store,
                                     QStringLiteral("Maker = %1 AND Hinban = %2")
                                         .arg(FilterText::text(maker), FilterText::text(productNumber)),
                                     QStringLiteral("ID"));
    const std::optional<data::SealRow> row = sheets.at(0);
    if (!row)
        return std::nullopt;
    return fromRow(*row);
}

QRect LabelSheet::label(int row, int column) const
{
    return QRect((horizontal + width) * column + left, (vertical + height) * row + top, width, height);
}

std::optional<ReportRefusal> LabelPlan::check(const LabelSheet& sheet, int startRow, int startColumn)
{
    using Field = ReportRefusal::Field;
    if (sheet.rows <= 0 || sheet.columns <= 0)
        return ReportRefusal{Field::Layout,
                            QStringLiteral("宛先シールの行数か列数が0です！\n宛先シールの設定を確認して下さい")};
    if (startRow > sheet.rows)
        return ReportRefusal{Field::StartRow, QStringLiteral("開始行が範囲を超えています！")};
    if (startColumn > sheet.columns)
        return ReportRefusal{Field::StartColumn, QStringLiteral("開始列が範囲を超えています！")};
    return std::nullopt;
}

LabelPlan::LabelPlan(const LabelSheet& sheet, int startRow, int startColumn, int recordCount)
    : m_sheet(sheet)
    , m_skipped((std::max(startRow, 1) - 1) * sheet.columns + std::max(startColumn, 1) - 1)
    , m_recordCount(std::max(recordCount, 0))
{
}

int LabelPlan::pageCount() const
{
    const int perSheet = m_sheet.perSheet();
    if (perSheet <= 0 || m_recordCount == 0)
        return 0;
    return (m_recordCount + m_skipped + perSheet - 1) / perSheet;
}

std::vector<LabelPlan::Label> LabelPlan::labels(int page) const
{
    std::vector<Label> result;
    if (page < 1 || page > pageCount())
        return result;
    const int perSheet = m_sheet.perSheet();
    const int firstPosition = page == 1 ? m_skipped : 0;
    for (int position = firstPosition; position < perSheet; ++position) {
        const int record = (page - 1) * perSheet + position - m_skipped;
        if (record >= m_recordCount)
            break;
        const int row = position / m_sheet.columns;
        const int column = position % m_sheet.columns;
        result.push_back(Label{record, row, column, m_sheet.label(row, column)});
    }
    return result;
}

} // namespace kv::reports
