#include "reports/ui/CDSetHagaki.h"

#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "lan/core/ChangeAnnouncer.h"
#include "reports/core/PostcardShifts.h"
#include "reports/ui/BackPicture.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::reports {

size_t CDSetHagaki::slotOf(Shift shift)
{
    // "003.dat": address vertical, address horizontal, back vertical, back
    // horizontal.
    switch (shift) {
    case AddressHorizontal:
        return 1;
    case AddressVertical:
        return 0;
    case BackHorizontal:
        return 3;
    case BackVertical:
        return 2;
    }
    return 0;
}

CDSetHagaki::CDSetHagaki(data::SettingsStore& settings, int pictureEntry, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_pictureEntry(pictureEntry)
    , m_preview(new QLabel(this))
    , m_choose(new QPushButton(QStringLiteral("裏面の画像(&B)..."), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("はがき印刷位置設定"));
    auto* form = new QFormLayout;
    const QString captions[4] = {QStringLiteral("宛先 横(mm)"), QStringLiteral("宛先 縦(mm)"),
                                 QStringLiteral("裏面 横(mm)"), QStringLiteral("裏面 縦(mm)")};
    for (int shift = AddressHorizontal; shift <= BackVertical; ++shift) {
        const size_t place = size_t(shift);
        m_tenths[place] = settings.print().positions.postcard[slotOf(Shift(shift))];
        auto* edit = new CEditEx(this);
        edit->setInputMode(CEditEx::InputMode::Direct);
        edit->setMaxLength(6);
        edit->setAlignment(Qt::AlignRight);
        edit->setText(PostcardShifts::shown(m_tenths[place]));
        int* held = &m_tenths[place];
        edit->setExitCheck([held](const QString& text) {
            const std::optional<int> tenths = PostcardShifts::tenthsOf(text);
            if (!tenths)
                return FieldVerdict::refuse(PostcardShifts::outOfRange(), PostcardShifts::shown(*held));
            *held = *tenths;
            return FieldVerdict::accept(PostcardShifts::shown(*tenths));
        });
        m_edits[place] = edit;
        form->addRow(captions[shift], edit);
    }
    m_preview->setFixedSize(180, 260);
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAlignment(Qt::AlignCenter);

    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* side = new QVBoxLayout;
    side->addWidget(m_preview);
    side->addWidget(m_choose);
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_picture = BackPicture::load(settings, m_pictureEntry);
    showPicture();
    connect(m_choose, &QPushButton::clicked, this, [this] {
        const QImage chosen = BackPicture::choose(this, m_settings, m_pictureEntry);
        if (!chosen.isNull()) {
            m_picture = chosen;
            showPicture();
        }
    });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDSetHagaki::showPicture()
{
    if (m_picture.isNull()) {
        m_preview->setPixmap(QPixmap());
        return;
    }
    // The card's back is 90 × 130 mm; the preview keeps that shape.
    m_preview->setPixmap(QPixmap::fromImage(m_picture.scaled(m_preview->size() - QSize(4, 4),
                                                             Qt::IgnoreAspectRatio,
                                                             Qt::SmoothTransformation)));
}

void CDSetHagaki::onOk()
{
    for (CEditEx* edit : m_edits) {
        if (!edit->checkField())
            return;
    }
    data::UnsavedChangeGuard guard(m_settings.print().positions);
    for (int shift = AddressHorizontal; shift <= BackVertical; ++shift)
        m_settings.print().positions.postcard[slotOf(Shift(shift))] = m_tenths[size_t(shift)];
    const bool written = m_settings.SaveSettingsFile(data::SettingsFileId::Print)
        && (m_settings.positionFileName().isEmpty()
            || m_settings.SavePrintPositions(m_settings.positionFileName()) == 1);
    if (!guard.keepIf(written))
        return;
    // A client stays open until the server has the message.
    if (!lan::changeAnnouncer().announceUpdate(QStringLiteral("印字")))
        return;
    accept();
}

} // namespace kv::reports
