#pragma once

#include "masters/core/ItemRow.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;

namespace kv {
class CListCtrlEx;
template <typename Row>
class TypedListModel;
} // namespace kv

namespace kv::masters {

class KanaButtonBar;
class PanelPickSource;

// The list form of a "参照" window: one or two columns of texts on cream,
// the focused row framed in green, and (except for the transport offices)
// the kana buttons.
class CRefForm : public QWidget {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        int width = 0; // 0: the rest of the width
        bool reading = false;
    };

    CRefForm(const QList<Column>& columns, bool kanaButtons, QWidget* parent = nullptr);

    CListCtrlEx* list() const { return m_list; }
    KanaButtonBar* kanaButtons() const { return m_kana; }
    const std::vector<ItemRow>& rows() const;
    // The row with the focus, nullptr when the list is empty.
    const ItemRow* chosenRow() const;

    // Replaces the rows; the first, if any, is selected.
    void fill(std::vector<ItemRow> rows);
    // Button k jumps to the first row whose reading is not below its kana.
    void jumpToKana(int button);

private:
    CListCtrlEx* m_list;
    KanaButtonBar* m_kana = nullptr;
    TypedListModel<ItemRow>* m_rows;
};

// Addresses: the phrase and its reading.
class CFJyu : public CRefForm {
    Q_OBJECT
public:
    explicit CFJyu(QWidget* parent = nullptr);
};

// Customer names with their readings.
class CFKokName : public CRefForm {
    Q_OBJECT
public:
    explicit CFKokName(QWidget* parent = nullptr);
};

// The 20 transport offices.
class CFRikuji : public CRefForm {
    Q_OBJECT
public:
    explicit CFRikuji(QWidget* parent = nullptr);
};

// The models of the make chosen in its drop-down.
class CFSyamei : public CRefForm {
    Q_OBJECT
public:
    explicit CFSyamei(QWidget* parent = nullptr);
    QComboBox* makes() const { return m_makes; }

private:
    QComboBox* m_makes;
};

// The "参照" window of a pick list over the panel (or a print dialog): the
// window that opened it stays disabled while it is open. Enter hands the
// focused row to the opener and closes, Esc closes without a value, the
// digits 1..9, 0 act as the kana buttons. Its position is kept in the
// profile section of its kind.
class CRefFrame : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Names = 0, Addresses = 2, TransportOffices = 3, Models = 4, PrintModels = 5 };
    // The chosen row (nullptr for an empty list) and, for the models, the
    // make: the drop-down's index + 1.
    using Chosen = std::function<void(const ItemRow* row, int make)>;

    static CRefFrame* open(Kind kind, PanelPickSource& source, QWidget* disabledWindow,
                           QPoint fallbackPosition, Chosen chosen);
    ~CRefFrame() override;
    // The list while one is open, for the LAN message handler.
    static CRefFrame* openInstance();

    Kind kind() const { return m_kind; }
    CRefForm* form() const { return m_form; }
    static QString profileSection(Kind kind);

    void accept();
    void cancel();
    // The rows read again (another computer changed the list).
    void reload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CRefFrame(Kind kind, PanelPickSource& source, QWidget* disabledWindow, Chosen chosen);
    bool handleKey(QKeyEvent* event);
    void changeMake(int index);
    std::vector<ItemRow> readRows();
    void finish();

    Kind m_kind;
    PanelPickSource& m_source;
    QPointer<QWidget> m_disabled;
    Chosen m_chosen;
    CRefForm* m_form = nullptr;
    bool m_finished = false;
};

} // namespace kv::masters
