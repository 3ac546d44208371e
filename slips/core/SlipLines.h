#pragma once

#include "data/settings/CategoryNames.h"
#include "data/settings/RoundingSettings.h"
#include "data/tables/TableRows.h"
#include "masters/core/ItemRow.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace kv::slips {

// One row of the line grid: the seven cell texts as shown, the amounts the
// row adds to the totals and its photo list (file names, each ending CR LF).
struct SlipLine {
    std::array<QString, 7> cells;
    int parts = 0;
    int labour = 0;
    QString photos;

    bool isEmpty() const;
    bool operator==(const SlipLine&) const = default;
};

// The work and parts lines of a slip (or of an item set) without windows:
// 90 rows of texts that the grid shows, the amounts kept in step with them,
// the checks made when a cell is left, the row operations and the lines to
// store. Messages are returned for the caller to show.
class SlipLines {
public:
    static constexpr int kRows = 90;
    static constexpr int kColumns = 7;
    enum Column {
        TextColumn = 0,
        CategoryColumn = 1,
        IndexColumn = 2,
        QuantityColumn = 3,
        PriceColumn = 4,
        PartsColumn = 5,
        LabourColumn = 6,
    };
    static constexpr int kAmountLimit = 9'999'999;
    static constexpr int kTotalLimit = 99'999'999;
    static constexpr int kRowsPerPage = 30;

    // An item of the master by code; nullopt when there is none.
    using ItemLookup = std::function<std::optional<masters::ItemRecord>(int code)>;
    // The lines of a set by code (in LineNo order, encoded as slip lines);
    // nullopt when there is no such set or it is a placeholder.
    using SetLookup = std::function<std::optional<std::vector<data::SyaJnlRow>>(int code)>;

    // What leaving a cell came to: the cell refused with its message (the
    // cell reset), and whether the totals are to be recomputed.
    struct LeaveResult {
        bool accepted = true;
        QString message;
        bool totalsChanged = false;
    };
    struct Totals {
        int parts = 0;
        int labour = 0;
    };

    SlipLines();

    void setCategories(const data::CategoryNames& names) { m_categories = names; }
    const data::CategoryNames& categories() const { return m_categories; }
    void setRates(int labourRate, int bodyWorkRate);
    void setRounding(const data::RoundingSettings& rounding) { m_rounding = rounding; }
    void setItemLookup(ItemLookup lookup) { m_items = std::move(lookup); }
    void setSetLookup(SetLookup lookup) { m_sets = std::move(lookup); }

    const SlipLine& line(int row) const { return m_rows.at(row); }
    const QString& text(int row, int column) const { return m_rows.at(row).cells.at(column); }
    void setText(int row, int column, const QString& text);
    void setPhotos(int row, const QString& photos) { m_rows.at(row).photos = photos; }
    void clearRow(int row) { m_rows.at(row) = SlipLine{}; }

    // Every row cleared, then each stored line put into the row of its
    // LineNo (lines outside 0..89 are dropped).
    void load(const std::vector<data::SyaJnlRow>& lines);

    // Checks and reformats a cell the user changed or left with Enter or
    // Tab; a category, index, quantity or price recomputes the row's amount
    // however it is left, so that no amount disagrees with its factors.
    LeaveResult leaveCell(int row, int column);

    // The row's parts amount (quantity × unit price) and labour amount
    // (index × rate); the message when the result leaves the range (the
    // amount cell is then cleared).
    std::optional<QString> recomputeParts(int row);
    std::optional<QString> recomputeLabour(int row);

    // Expands a set's lines from row on; the row after the last one written
    // (90 when the end was reached).
    int expandSet(int row, const std::vector<data::SyaJnlRow>& setLines);

    // Row operations on one row; cut and copy fill the line clipboard.
    void insertRow(int row);
    void cutRow(int row);
    void copyRow(int row);
    void pasteRow(int row);
    bool hasClipboard() const { return m_clipboard.has_value(); }

    // The totals from the cell texts (CheckLines) or from the row amounts
    // (SumLines); nullopt with the message when the sum leaves the range.
    std::optional<Totals> checkLines(QString* message);
    std::optional<Totals> sumLines(QString* message) const;
    // The highest row with a text or a photo, plus 1, as the last
    // checkLines found it.
    int usedRows() const { return m_usedRows; }
    int pageCount() const;

    // The rows to store for the slip, empty rows skipped; false with the
    // row when a category text is not one of the names.
    bool storedLines(int slipNumber, std::vector<data::SyaJnlRow>* lines, int* badRow = nullptr);

    static QString amountText(int amount, const QString& oneText);
    static QString broughtInText() { return QStringLiteral("持ち込み"); }
    static QString serviceText() { return QStringLiteral("サービス"); }
    static QString categoryMessage();
    static QString indexMessage();
    static QString quantityMessage();
    static QString priceMessage();
    static QString computedMessage();
    static QString totalMessage();
    // Row 90 has no row below to move to.
    static QString lastRowInsertMessage();

private:
    LeaveResult leaveText(int row);
    LeaveResult leaveCategory(int row);
    LeaveResult leaveTenths(int row, int column);
    LeaveResult leavePrice(int row);
    LeaveResult leaveAmount(int row, int column);
    LeaveResult recomputed(std::optional<QString> failure);
    // Index of the category cell's name; -1 when it is none of them.
    int categoryIndex(int row) const;
    // A computed amount into the row: nullopt (out of range) clears it.
    std::optional<QString> putComputed(int row, int column, std::optional<int> amount);
    int storedAmount(int row, int column) const;
    void putLine(int row, const data::SyaJnlRow& stored);

    std::array<SlipLine, kRows> m_rows;
    std::optional<SlipLine> m_clipboard;
    data::CategoryNames m_categories;
    data::RoundingSettings m_rounding;
    int m_labourRate = 0;
    int m_bodyWorkRate = 0;
    int m_usedRows = 0;
    ItemLookup m_items;
    SetLookup m_sets;
};

} // namespace kv::slips
