#pragma once

#include "data/tables/TableRows.h"
#include "slips/core/SlipHeaderValues.h"

#include <QString>

#include <array>
#include <vector>

class QWidget;

namespace kv::slips {

// What the slip window needs of its three panes; each pane reports its own
// failures (message, focus on the field) before it returns false.
class SlipHeaderPane {
public:
    virtual ~SlipHeaderPane() = default;
    virtual QWidget* widget() = 0;
    virtual bool validateHeader(HeaderValues* values) = 0;
    // The focus on 伝票種別 (or 発行日 when the kind cannot change).
    virtual void activate() = 0;
};

class SlipLinesPane {
public:
    virtual ~SlipLinesPane() = default;
    virtual QWidget* widget() = 0;
    virtual bool checkLines(int* partsTotal, int* labourTotal) = 0;
    // The rows to store; false after the message.
    virtual bool storedLines(std::vector<data::SyaJnlRow>* lines) = 0;
    // The texts of the used rows as shown, for printing; after checkLines.
    virtual std::vector<std::array<QString, 7>> printedRows() const = 0;
    virtual void setRates(int labourRate, int bodyWorkRate) = 0;
    virtual void activate() = 0;
    virtual void insertRow() = 0;
    virtual void cutRow() = 0;
    virtual void copyRow() = 0;
    virtual void pasteRow() = 0;
    // The item and set pick lists; the category window on or off.
    virtual void openItemList() = 0;
    virtual void openSetList() = 0;
    virtual void setCategoryListShown(bool shown) = 0;
};

class SlipTotalsPane {
public:
    virtual ~SlipTotalsPane() = default;
    virtual QWidget* widget() = 0;
    // Everything recomputed from the line totals; false after the message.
    virtual bool recalcAll(int partsTotal, int labourTotal) = 0;
    // Writes the totals columns into the header row.
    virtual void writeTotals(data::SyaheadRow& header) const = 0;
    virtual void activate() = 0;
};

} // namespace kv::slips
