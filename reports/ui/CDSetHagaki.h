#pragma once

#include <QDialog>
#include <QImage>

#include <array>

class QLabel;
class QPushButton;

namespace kv {
class CEditEx;
}
namespace kv::data {
class SettingsStore;
}

namespace kv::reports {

// The postcard positions: the address side's and the back's shifts in
// millimetres with one decimal (kept in tenths, rounded down), and the
// back picture (of the "005.dat" entry given), chosen and shown. OK writes "003.dat" and the printer's
// position file and tells the other computers ("印字").
class CDSetHagaki final : public QDialog {
    Q_OBJECT
public:
    enum Shift { AddressHorizontal, AddressVertical, BackHorizontal, BackVertical };

    CDSetHagaki(data::SettingsStore& settings, int pictureEntry, QWidget* parent = nullptr);

    CEditEx* shiftEdit(Shift shift) const { return m_edits[size_t(shift)]; }
    QPushButton* chooseButton() const { return m_choose; }
    QPushButton* okButton() const { return m_ok; }
    QLabel* preview() const { return m_preview; }
    const QImage& picture() const { return m_picture; }

private:
    void showPicture();
    void onOk();
    // Where each shift is kept among the postcard positions.
    static size_t slotOf(Shift shift);

    data::SettingsStore& m_settings;
    int m_pictureEntry;
    std::array<int, 4> m_tenths{};
    std::array<CEditEx*, 4> m_edits{};
    QLabel* m_preview;
    QPushButton* m_choose;
    QPushButton* m_ok;
    QImage m_picture;
};

} // namespace kv::reports
