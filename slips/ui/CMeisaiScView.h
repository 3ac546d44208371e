#pragma once

#include "masters/core/ItemProfile.h"
#include "masters/core/LineGridAccess.h"
#include "slips/core/SlipLines.h"
#include "slips/core/SlipPhotos.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QHeaderView;
class QScrollArea;
class QSettings;
class QStandardItemModel;

namespace kv {
class CEditEx;
}

namespace kv::masters {
class CKubunRefFrame;
class ItemStore;
class SetStore;
} // namespace kv::masters

namespace kv::slips {

// The line grid of the slip window: 90 rows of seven cells under a header
// whose widths the user drags, one edit that moves from cell to cell (the
// cell with the focus), the keys of a clerk who never takes the mouse, and
// the row commands. Every change that moves the totals is reported with
// linesChanged.
class CMeisaiScView : public QWidget, public masters::LineGridAccess {
    Q_OBJECT
public:
    // profile: the user's profile; the widths live in its section "Den".
    explicit CMeisaiScView(QSettings* profile, QWidget* parent = nullptr);
    ~CMeisaiScView() override;

    void setCategories(const data::CategoryNames& names);
    void setRates(int labourRate, int bodyWorkRate);
    void setRounding(const data::RoundingSettings& rounding);
    // The item master for typed codes and the pick list (not owned).
    void setItemStore(masters::ItemStore* store);
    // Typed item codes only, without a pick list.
    void setItemLookup(SlipLines::ItemLookup lookup);
    void setSetLookup(SlipLines::SetLookup lookup);
    // The sets for typed "0nnn" codes and the set pick list (not owned).
    void setSetStore(masters::SetStore* store);
    // The slip's grid or the set window's: which pick list and category
    // window positions it uses, and whether placing items and sets
    // recomputes totals (the slip's only).
    void setContext(masters::GridContext context) { m_context = context; }
    masters::GridContext context() const { return m_context; }
    // Whether the slip's vehicle still exists; the pick list is refused
    // without it. None in the set editor.
    void setVehicleCheck(std::function<bool()> check) { m_vehicleCheck = std::move(check); }
    // The slip's photo work copies (not owned); without them the photo
    // buttons do nothing (the set editor).
    void setPhotos(const SlipPhotos* photos) { m_photos = photos; }

    // The slip's stored lines into the rows of their LineNo.
    void load(const std::vector<data::SyaJnlRow>& lines);
    // The totals of the cells; false after the message, the focus on the
    // current cell.
    bool checkLines(int* partsTotal, int* labourTotal);
    // The rows to store; false when a category is not one of the names
    // (the focus then goes to that cell).
    bool storedLines(std::vector<data::SyaJnlRow>* lines);
    int usedRows() const { return m_lines.usedRows(); }
    int pageCount() const { return m_lines.pageCount(); }

    // A cell's text as shown (the current cell as being typed).
    QString cellText(int row, int column) const;
    const SlipLines& lines() const { return m_lines; }
    // Every row emptied (the set window's new set).
    void clearLines();
    // The set's lines from the row on (the expansion rule of the lines);
    // the row after the last one written.
    int expandSetAt(int row, const std::vector<data::SyaJnlRow>& setLines);
    // Moves the focus cell without checking the cell left.
    void setCurrentCell(int row, int column);
    int rowHeight() const { return m_rowHeight; }
    int columnWidth(int column) const { return m_widths[column + 1]; }

    // LineGridAccess
    int currentRow() const override { return m_row; }
    int currentColumn() const override { return m_column; }
    void setCellText(int row, int column, const QString& text) override;
    void recomputeRow(int row) override;
    void focusCurrentCell() override;
    void afterItemPut(int row) override;

    static QString profileSection() { return QStringLiteral("Den"); }
    static QColor focusColour() { return QColor(128, 255, 128); }

signals:
    void linesChanged(int partsTotal, int labourTotal);
    void categoryListClosed();

public slots:
    void insertLine();
    void cutLine();
    void copyLine();
    void pasteLine();
    void openItemList();
    void openSetList();
    void openCategoryList();
    // Closes the category window, its open state kept for the next time.
    void closeCategoryList();
    // The command of the window: opens the category window, or closes it
    // and keeps it closed for the next time.
    void setCategoryListShown(bool shown);
    // The photo window of a row; its photos change with what it leaves.
    void openPhotos(int row);
    void firstRow();
    void lastRow();
    void firstColumn();
    void lastColumn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kWidthCount = SlipLines::kColumns + 2;

    bool handleEditorKey(QKeyEvent* event);
    // Leaves the current cell (checked when changed or committed) and
    // enters the new one; false when the check refused the cell.
    bool moveTo(int row, int column, bool committed);
    bool moveBy(int cells, bool committed);
    bool leaveCurrentCell(bool committed);
    void enterCell(int row, int column);
    void placeEditor();
    void reportTotals();
    void refuse(const QString& message);
    void rowOperation(void (SlipLines::*operation)(int row));
    void paintCanvas();
    void clickCanvas(QPoint position);
    void columnResized(int section, int newSize);
    void layoutCanvas();
    int columnLeft(int column) const;
    int visibleRows() const;

    QSettings* m_profile;
    SlipLines m_lines;
    masters::ItemStore* m_items = nullptr;
    masters::SetStore* m_sets = nullptr;
    masters::GridContext m_context = masters::GridContext::Slip;
    std::function<bool()> m_vehicleCheck;
    const SlipPhotos* m_photos = nullptr;
    std::array<int, kWidthCount> m_widths{};
    int m_rowHeight = 0;
    int m_row = 0;
    int m_column = 0;
    QString m_enteredText;
    bool m_moving = false;
    bool m_japaneseInput = true;
    QStandardItemModel* m_captions;
    QHeaderView* m_header;
    QScrollArea* m_scroll;
    QWidget* m_canvas;
    CEditEx* m_editor;
    QPointer<masters::CKubunRefFrame> m_categoryList;
};

} // namespace kv::slips
