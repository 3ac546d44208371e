#include "slips/ui/CMeisaiScView.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "masters/CKubunRefFrame.h"
#include "masters/CMeisaiRefFrame.h"
#include "masters/CMeisaiSetRefFrame.h"
#include "masters/core/ItemStore.h"
#include "masters/core/SetRules.h"
#include "masters/core/SetStore.h"
#include "slips/ui/CDPhoto.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kv::slips {

namespace {

struct ColumnLook {
    const char* profileEntry;
    int defaultWidth;
    const char* caption;
    int byteLimit;
    Qt::Alignment alignment;
};

// The row number, the seven cells and the photo button, left to right.
constexpr ColumnLook kLook[] = {
    {"LineNoWidth", 19, "", 0, Qt::AlignRight},
    {"MeisaiWidth", 235, "作 業 内 容  及び  使 用 部 品 名", 44, Qt::AlignLeft},
    {"KubunWidth", 40, "区分", 4, Qt::AlignHCenter},
    {"SisuWidth", 40, "指数", 5, Qt::AlignRight},
    {"SuuryoWidth", 40, "数量", 6, Qt::AlignRight},
    {"TankaWidth", 56, "単　価", 8, Qt::AlignRight},
    {"KingakuWidth", 56, "金　額", 8, Qt::AlignRight},
    {"KoutinWidth", 56, "工　賃", 8, Qt::AlignRight},
    {"PhotoWidth", 17, "", 0, Qt::AlignHCenter},
};

const ColumnLook& cellLook(int column)
{
    return kLook[column + 1];
}

QString profileKey(const char* entry)
{
    return CMeisaiScView::profileSection() + u'/' + QLatin1String(entry);
}

// Focus that goes to a message box, a menu or another program comes back
// to the cell; it is no leaving of it.
bool focusComesBack(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}

constexpr int kRowsPerJump = 4;
constexpr int kLastRow = SlipLines::kRows - 1;
constexpr int kLastColumn = SlipLines::kColumns - 1;

} // namespace

CMeisaiScView::CMeisaiScView(QSettings* profile, QWidget* parent)
    : QWidget(parent),
      m_profile(profile),
      m_captions(new QStandardItemModel(0, kWidthCount, this)),
      m_header(new QHeaderView(Qt::Horizontal, this)),
      m_scroll(new QScrollArea(this)),
      m_canvas(new QWidget),
      m_editor(new CEditEx(m_canvas))
{
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    m_rowHeight = QFontMetrics(font()).height() + 1;
    m_japaneseInput = m_profile->value(profileKey("ImmSW_Meisai"), 1).toInt() != 0;

    for (int i = 0; i < kWidthCount; ++i) {
        m_captions->setHeaderData(i, Qt::Horizontal, QString::fromUtf8(kLook[i].caption));
        m_widths[i] = m_profile->value(profileKey(kLook[i].profileEntry), kLook[i].defaultWidth)
                          .toInt();
    }
    m_header->setModel(m_captions);
    m_header->setStretchLastSection(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setMinimumSectionSize(4);
    for (int i = 0; i < kWidthCount; ++i)
        m_header->resizeSection(i, m_widths[i]);
    connect(m_header, &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { columnResized(section, newSize); });

    m_canvas->setFocusPolicy(Qt::NoFocus);
    m_canvas->installEventFilter(this);
    m_scroll->setWidget(m_canvas);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->setBackgroundRole(QPalette::Base);
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::valueChanged, m_header,
            &QHeaderView::setOffset);

    QPalette colours = m_editor->palette();
    colours.setColor(QPalette::Base, focusColour());
    m_editor->setPalette(colours);
    m_editor->setFrame(false);
    m_editor->setTextMargins(1, 0, 1, 0);
    m_editor->installEventFilter(this);
    setFocusProxy(m_editor);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The rows take the height; the captions keep one line.
    m_header->setFixedHeight(m_header->fontMetrics().height() + 8);
    layout->addWidget(m_header);
    layout->addWidget(m_scroll, 1);

    layoutCanvas();
    enterCell(0, 0);
}

CMeisaiScView::~CMeisaiScView()
{
    // A focus change while the cells go away is no leaving of a cell.
    m_moving = true;
}

void CMeisaiScView::setCategories(const data::CategoryNames& names)
{
    m_lines.setCategories(names);
}

void CMeisaiScView::setRates(int labourRate, int bodyWorkRate)
{
    m_lines.setRates(labourRate, bodyWorkRate);
}

void CMeisaiScView::setRounding(const data::RoundingSettings& rounding)
{
    m_lines.setRounding(rounding);
}

void CMeisaiScView::setItemStore(masters::ItemStore* store)
{
    m_items = store;
    if (store)
        setItemLookup([store](int code) { return store->find(code); });
    else
        setItemLookup({});
}

void CMeisaiScView::setItemLookup(SlipLines::ItemLookup lookup)
{
    m_lines.setItemLookup(std::move(lookup));
}

void CMeisaiScView::setSetLookup(SlipLines::SetLookup lookup)
{
    m_lines.setSetLookup(std::move(lookup));
}

void CMeisaiScView::setSetStore(masters::SetStore* store)
{
    m_sets = store;
    if (store)
        setSetLookup([store](int code) { return store->linesOfSet(code); });
    else
        setSetLookup({});
}

void CMeisaiScView::clearLines()
{
    m_lines.load({});
    enterCell(m_row, m_column);
}

int CMeisaiScView::expandSetAt(int row, const std::vector<data::SyaJnlRow>& setLines)
{
    const int next = m_lines.expandSet(row, setLines);
    enterCell(m_row, m_column);
    return next;
}

void CMeisaiScView::load(const std::vector<data::SyaJnlRow>& lines)
{
    m_lines.load(lines);
    enterCell(m_row, m_column);
}

bool CMeisaiScView::checkLines(int* partsTotal, int* labourTotal)
{
    if (!leaveCurrentCell(false))
        return false;
    QString message;
    const std::optional<SlipLines::Totals> totals = m_lines.checkLines(&message);
    if (!totals) {
        refuse(message);
        return false;
    }
    if (partsTotal)
        *partsTotal = totals->parts;
    if (labourTotal)
        *labourTotal = totals->labour;
    return true;
}

bool CMeisaiScView::storedLines(std::vector<data::SyaJnlRow>* lines)
{
    if (!leaveCurrentCell(false))
        return false;
    int badRow = 0;
    // The recording gives the lines their slip number.
    if (!m_lines.storedLines(0, lines, &badRow)) {
        setCurrentCell(badRow, SlipLines::CategoryColumn);
        focusCurrentCell();
        return false;
    }
    return true;
}

QString CMeisaiScView::cellText(int row, int column) const
{
    if (row == m_row && column == m_column)
        return m_editor->text();
    return m_lines.text(row, column);
}

void CMeisaiScView::setCurrentCell(int row, int column)
{
    enterCell(std::clamp(row, 0, kLastRow), std::clamp(column, 0, kLastColumn));
}

void CMeisaiScView::setCellText(int row, int column, const QString& text)
{
    m_lines.setText(row, column, text);
    if (row == m_row && column == m_column) {
        m_editor->setText(text);
        m_enteredText = text;
    }
    m_canvas->update();
}

void CMeisaiScView::recomputeRow(int row)
{
    const std::optional<QString> failure = m_lines.recomputeParts(row);
    if (row == m_row) {
        m_editor->setText(m_lines.text(m_row, m_column));
        m_enteredText = m_editor->text();
    }
    m_canvas->update();
    if (failure)
        refuse(*failure);
}

void CMeisaiScView::focusCurrentCell()
{
    // Coming back from the pick list or the category window.
    if (isVisible() && !window()->isActiveWindow())
        window()->activateWindow();
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->selectAll();
}

void CMeisaiScView::afterItemPut(int)
{
    if (m_context == masters::GridContext::Set) {
        focusCurrentCell();
        return;
    }
    if (!checkLines(nullptr, nullptr))
        return;
    reportTotals();
    focusCurrentCell();
}

void CMeisaiScView::insertLine()
{
    // Inserting there would only empty the row.
    if (m_row == kLastRow) {
        refuse(SlipLines::lastRowInsertMessage());
        return;
    }
    rowOperation(&SlipLines::insertRow);
}

void CMeisaiScView::cutLine()
{
    rowOperation(&SlipLines::cutRow);
}

void CMeisaiScView::copyLine()
{
    rowOperation(&SlipLines::copyRow);
}

void CMeisaiScView::pasteLine()
{
    rowOperation(&SlipLines::pasteRow);
}

void CMeisaiScView::rowOperation(void (SlipLines::*operation)(int row))
{
    if (!leaveCurrentCell(false))
        return;
    (m_lines.*operation)(m_row);
    enterCell(m_row, m_column);
    reportTotals();
}

void CMeisaiScView::openItemList()
{
    if (!m_items || !leaveCurrentCell(false))
        return;
    // An empty item table is refused by the list itself, before this.
    if (m_items->count() != 0 && m_vehicleCheck && !m_vehicleCheck()) {
        showMessage(QStringLiteral("該当車輌が存在しません！"));
        return;
    }
    masters::CMeisaiRefFrame::open(*m_items, m_lines.categories(), *this, m_context, window());
}

void CMeisaiScView::openSetList()
{
    if (!m_sets || !leaveCurrentCell(false))
        return;
    const auto context = m_context == masters::GridContext::Slip ? masters::SetListContext::Slip
                                                                  : masters::SetListContext::SetGrid;
    masters::CMeisaiSetRefFrame::open(
        *m_sets, context, window(),
        [this](const QList<int>& codes) {
            // Each set after the one before, as far as the rows reach.
            int row = m_row;
            for (const int code : codes) {
                if (row > kLastRow)
                    break;
                const auto lines = m_sets->linesOfSet(code);
                if (!lines) {
                    showMessage(masters::SetRules::setMissingMessage());
                    break;
                }
                row = expandSetAt(row, *lines);
            }
            afterItemPut(m_row);
        },
        [this] { focusCurrentCell(); });
}

void CMeisaiScView::openCategoryList()
{
    if (m_categoryList) {
        m_categoryList->show();
        m_categoryList->raise();
        return;
    }
    m_categoryList = masters::CKubunRefFrame::openForGrid(m_lines.categories(), *this,
                                                          m_context, this);
    if (m_categoryList)
        connect(m_categoryList, &masters::CKubunRefFrame::closing, this,
                &CMeisaiScView::categoryListClosed);
}

void CMeisaiScView::closeCategoryList()
{
    if (m_categoryList)
        m_categoryList->close();
}

void CMeisaiScView::setCategoryListShown(bool shown)
{
    if (shown) {
        openCategoryList();
        return;
    }
    closeCategoryList();
    masters::ItemProfile().setShown(masters::ItemProfile::gridCategorySection(m_context), false);
}

void CMeisaiScView::firstRow()
{
    moveTo(0, m_column, false);
}

void CMeisaiScView::lastRow()
{
    moveTo(kLastRow, m_column, false);
}

void CMeisaiScView::firstColumn()
{
    moveTo(m_row, 0, false);
}

void CMeisaiScView::lastColumn()
{
    moveTo(m_row, kLastColumn, false);
}

bool CMeisaiScView::leaveCurrentCell(bool committed)
{
    const QString typed = m_editor->text();
    if (!committed && typed == m_enteredText)
        return true;
    m_lines.setText(m_row, m_column, typed);
    const SlipLines::LeaveResult result = m_lines.leaveCell(m_row, m_column);
    m_editor->setText(m_lines.text(m_row, m_column));
    m_canvas->update();
    if (!result.accepted) {
        refuse(result.message);
        return false;
    }
    m_enteredText = m_editor->text();
    if (result.totalsChanged)
        reportTotals();
    return true;
}

void CMeisaiScView::refuse(const QString& message)
{
    focusCurrentCell();
    if (!message.isEmpty())
        showMessage(message);
}

void CMeisaiScView::reportTotals()
{
    QString message;
    const std::optional<SlipLines::Totals> totals = m_lines.sumLines(&message);
    if (!totals) {
        refuse(message);
        return;
    }
    emit linesChanged(totals->parts, totals->labour);
}

bool CMeisaiScView::moveTo(int row, int column, bool committed)
{
    m_moving = true;
    const bool left = leaveCurrentCell(committed);
    m_moving = false;
    if (!left)
        return false;
    enterCell(row, column);
    return true;
}

bool CMeisaiScView::moveBy(int cells, bool committed)
{
    const int target = m_row * SlipLines::kColumns + m_column + cells;
    if (target < 0 || target >= SlipLines::kRows * SlipLines::kColumns)
        return moveTo(m_row, m_column, committed);
    return moveTo(target / SlipLines::kColumns, target % SlipLines::kColumns, committed);
}

void CMeisaiScView::enterCell(int row, int column)
{
    m_row = row;
    m_column = column;
    placeEditor();
    const CEditEx::InputMode mode = column == SlipLines::TextColumn && m_japaneseInput
                                        ? CEditEx::InputMode::Japanese
                                        : CEditEx::InputMode::Direct;
    m_editor->setInputMode(mode);
    m_editor->setByteLimit(cellLook(column).byteLimit);
    m_editor->setAlignment(cellLook(column).alignment | Qt::AlignVCenter);
    m_editor->setText(m_lines.text(row, column));
    m_enteredText = m_editor->text();
    m_editor->selectAll();
    if (m_editor->hasFocus())
        ImmSwitch(m_editor, mode == CEditEx::InputMode::Japanese ? 1 : 0);
    m_scroll->ensureWidgetVisible(m_editor, 0, 0);
    m_canvas->update();
}

void CMeisaiScView::placeEditor()
{
    m_editor->setGeometry(columnLeft(m_column), m_row * m_rowHeight,
                          std::max(columnWidth(m_column) - 1, 1), m_rowHeight - 1);
}

int CMeisaiScView::columnLeft(int column) const
{
    int x = 0;
    for (int i = 0; i <= column; ++i)
        x += m_widths[i];
    return x;
}

int CMeisaiScView::visibleRows() const
{
    return std::max(1, m_scroll->viewport()->height() / m_rowHeight);
}

void CMeisaiScView::columnResized(int section, int newSize)
{
    m_widths[section] = newSize;
    m_profile->setValue(profileKey(kLook[section].profileEntry), newSize);
    layoutCanvas();
}

void CMeisaiScView::layoutCanvas()
{
    int width = 0;
    for (int w : m_widths)
        width += w;
    m_canvas->setFixedSize(width, SlipLines::kRows * m_rowHeight);
    placeEditor();
    m_canvas->update();
}

bool CMeisaiScView::handleEditorKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain || shift)
            moveBy(shift ? -1 : 1, true);
        return plain || shift;
    case Qt::Key_Tab:
        if (plain || shift)
            moveBy(shift ? -1 : 1, true);
        return plain || shift;
    case Qt::Key_Backtab:
        moveBy(-1, true);
        return true;
    case Qt::Key_Right:
        if (ctrl) {
            lastColumn();
            return true;
        }
        if (plain
            && (m_column != 0 || m_editor->cursorPosition() == m_editor->text().size())) {
            moveBy(1, false);
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (ctrl) {
            firstColumn();
            return true;
        }
        if (plain && (m_column != 0 || m_editor->cursorPosition() == 0)) {
            moveBy(-1, false);
            return true;
        }
        return false;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (!plain && !ctrl)
            return false;
        const bool down = event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown;
        const bool page = event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
        if (page && !plain)
            return false;
        const int step = page ? visibleRows() : ctrl ? kRowsPerJump : 1;
        const int target = m_row + (down ? step : -step);
        // One row at a time stops at the ends; the longer jumps stop on them.
        moveTo(step == 1 ? (target < 0 || target > kLastRow ? m_row : target)
                         : std::clamp(target, 0, kLastRow),
               m_column, false);
        return true;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!ctrl)
            return false;
        if (event->key() == Qt::Key_Home)
            firstRow();
        else
            lastRow();
        return true;
    case Qt::Key_Escape:
        if (!plain)
            return false;
        m_editor->setText(m_enteredText);
        m_editor->selectAll();
        return true;
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
    case Qt::Key_F9:
        if (!plain)
            return false;
        switch (event->key()) {
        case Qt::Key_F6: insertLine(); break;
        case Qt::Key_F7: cutLine(); break;
        case Qt::Key_F8: copyLine(); break;
        default: pasteLine(); break;
        }
        return true;
    case Qt::Key_1:
        if (ctrl)
            openItemList();
        return ctrl;
    case Qt::Key_2:
        if (ctrl)
            openSetList();
        return ctrl;
    case Qt::Key_3:
        if (ctrl)
            openCategoryList();
        return ctrl;
    default: return false;
    }
}

bool CMeisaiScView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && (watched == m_editor || watched == m_canvas)) {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        const int target = m_row - notches;
        if (notches != 0 && target >= 0 && target <= kLastRow)
            moveTo(target, m_column, false);
        return true;
    }
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress)
            return handleEditorKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && !m_moving
            && !focusComesBack(static_cast<QFocusEvent*>(event)->reason()) && isVisible()
            && isEnabled()) {
            m_moving = true;
            leaveCurrentCell(false);
            m_moving = false;
        }
        return false;
    }
    if (watched == m_canvas) {
        if (event->type() == QEvent::Paint) {
            paintCanvas();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            clickCanvas(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CMeisaiScView::clickCanvas(QPoint position)
{
    const int row = position.y() / m_rowHeight;
    if (row < 0 || row > kLastRow)
        return;
    for (int column = 0; column < SlipLines::kColumns; ++column) {
        const int left = columnLeft(column);
        if (position.x() >= left && position.x() < left + columnWidth(column)) {
            if (moveTo(row, column, false))
                focusCurrentCell();
            return;
        }
    }
    const int photoLeft = columnLeft(kLastColumn + 1);
    if (position.x() >= photoLeft && position.x() < photoLeft + m_widths[kWidthCount - 1])
        openPhotos(row);
}

void CMeisaiScView::openPhotos(int row)
{
    if (!m_photos || row < 0 || row > kLastRow)
        return;
    CDPhoto dialog(*m_photos, row, m_lines.line(row).photos, this);
    dialog.exec();
    m_lines.setPhotos(row, dialog.photos());
    m_canvas->update();
    focusCurrentCell();
}

void CMeisaiScView::paintCanvas()
{
    QPainter painter(m_canvas);
    painter.setFont(font());
    const QColor grid(Qt::gray);
    const QColor blue(Qt::blue);
    const int right = columnLeft(kLastColumn + 1) + m_widths[kWidthCount - 1];
    for (int row = 0; row < SlipLines::kRows; ++row) {
        const int top = row * m_rowHeight;
        const QRect number(0, top, m_widths[0] - 1, m_rowHeight - 1);
        painter.fillRect(number, QColor(Qt::lightGray));
        painter.setPen(Qt::black);
        painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(row + 1));
        for (int column = 0; column < SlipLines::kColumns; ++column) {
            const QRect cell(columnLeft(column), top, columnWidth(column) - 1, m_rowHeight - 1);
            const bool focused = row == m_row && column == m_column;
            painter.fillRect(cell, focused ? focusColour() : QColor(Qt::white));
            if (!focused) {
                painter.setPen(Qt::black);
                painter.drawText(cell.adjusted(2, 0, -2, 0),
                                 cellLook(column).alignment | Qt::AlignVCenter,
                                 m_lines.text(row, column));
            }
            // Blue after the index and after the parts amount.
            painter.setPen(column == SlipLines::IndexColumn || column == SlipLines::PartsColumn
                               ? blue
                               : grid);
            painter.drawLine(cell.right() + 1, top, cell.right() + 1, top + m_rowHeight - 1);
        }
        const QRect photo(columnLeft(kLastColumn + 1), top, m_widths[kWidthCount - 1] - 1,
                          m_rowHeight - 1);
        painter.fillRect(photo, QColor(Qt::lightGray));
        if (!m_lines.line(row).photos.isEmpty())
            painter.fillRect(photo.adjusted(4, 3, -4, -3), QColor(Qt::darkGreen));
        painter.setPen(grid);
        painter.drawLine(0, top + m_rowHeight - 1, right, top + m_rowHeight - 1);
    }
}

} // namespace kv::slips
