#include "masters/CDSetSeal.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/FontChooser.h"
#include "masters/core/SettingsRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

namespace {

QString damaged(int which)
{
    return which == 1 ? QStringLiteral("データが異常です１！") : QStringLiteral("データが異常です２！");
}

QFont toFont(const LabelFont& label)
{
    QFont font(label.faceName);
    font.setPointSize(label.pointSize > 0 ? label.pointSize : 9);
    font.setWeight(QFont::Weight(std::clamp(label.weight, 1, 1000)));
    font.setItalic(label.italic != 0);
    font.setUnderline(label.underline != 0);
    font.setStrikeOut(label.strikeOut != 0);
    return font;
}

// The chosen font in the profile's terms; the fields Qt does not know keep
// what they held.
LabelFont fromFont(const QFont& font, LabelFont label)
{
    label.faceName = font.family();
    label.pointSize = font.pointSize() > 0 ? font.pointSize() : label.pointSize;
    // A logical font's height in pixels at 96 dots an inch, negative for
    // the character height.
    label.height = -((label.pointSize * 96 + 36) / 72);
    label.weight = font.weight();
    label.italic = font.italic() ? 1 : 0;
    label.underline = font.underline() ? 1 : 0;
    label.strikeOut = font.strikeOut() ? 1 : 0;
    return label;
}

} // namespace

QString CDSetSeal::updateKind()
{
    return QStringLiteral("印字");
}

CDSetSeal::CDSetSeal(data::CCarMaintenanceDoc& document, FontChooser& fonts, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_fonts(fonts)
    , m_sheets(document)
    , m_profile(LabelProfile::read())
{
    setWindowTitle(QStringLiteral("ラベル設定"));
    m_fontText = new QLineEdit;
    m_fontText->setReadOnly(true);
    m_fontText->setFocusPolicy(Qt::NoFocus);
    QPalette palette = m_fontText->palette();
    palette.setColor(QPalette::Base, CEditEx::readOnlyBackground());
    m_fontText->setPalette(palette);
    m_makers = new QComboBox;
    m_products = new QComboBox;
    m_horizontal = offsetEdit(&m_horizontalTenths);
    m_vertical = offsetEdit(&m_verticalTenths);
    m_fontButton = new QPushButton(QStringLiteral("ﾌｫﾝﾄ(&F)"));
    m_record = new QPushButton(QStringLiteral("記録(&Z)"));
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"));
    for (QPushButton* b : {m_fontButton, m_record, cancel})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("フォント")), 0, 0);
    grid->addWidget(m_fontText, 0, 1);
    grid->addWidget(m_fontButton, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("メーカー")), 1, 0);
    grid->addWidget(m_makers, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("品番")), 2, 0);
    grid->addWidget(m_products, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("横方向(mm)")), 3, 0);
    grid->addWidget(m_horizontal, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("縦方向(mm)")), 4, 0);
    grid->addWidget(m_vertical, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("※ 余白：-99.9～99.9")), 5, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // The sheets of the table: a table without them is damaged.
    const std::optional<QStringList> makers = m_sheets.makers();
    if (!makers)
        showMessage(m_sheets.lastMessage());
    else if (makers->isEmpty())
        showMessage(damaged(1));
    else
        m_makers->addItems(*makers);
    m_makers->setCurrentIndex(std::max(0, m_makers->findText(m_profile.maker)));
    fillProducts(m_profile.productNumber);
    connect(m_makers, &QComboBox::currentTextChanged, this, [this] { fillProducts({}); });

    m_fontText->setText(m_profile.font.description());
    const data::PrintPositions& positions = m_document.settings().print().positions;
    m_horizontalTenths = positions.labelX;
    m_verticalTenths = positions.labelY;
    m_horizontal->setText(SettingsRules::offsetText(m_horizontalTenths));
    m_vertical->setText(SettingsRules::offsetText(m_verticalTenths));

    connect(m_fontButton, &QPushButton::clicked, this, [this] { onFont(); });
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDSetSeal::~CDSetSeal()
{
    m_sheets.resetView();
}

CEditEx* CDSetSeal::offsetEdit(int* held)
{
    auto* edit = new CEditEx;
    edit->setInputMode(CEditEx::InputMode::Direct);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(8);
    edit->setExitCheck([held](const QString& text) {
        const std::optional<int> tenths = SettingsRules::offsetFromText(text);
        if (!tenths)
            return FieldVerdict::refuse(SettingsRules::offsetMessage(),
                                        SettingsRules::offsetText(*held));
        *held = *tenths;
        return FieldVerdict::accept(SettingsRules::offsetText(*tenths));
    });
    return edit;
}

void CDSetSeal::fillProducts(const QString& selected)
{
    m_products->clear();
    if (m_makers->currentText().isEmpty())
        return;
    const std::optional<QStringList> numbers = m_sheets.productNumbers(m_makers->currentText());
    if (!numbers) {
        showMessage(m_sheets.lastMessage());
        return;
    }
    if (numbers->isEmpty()) {
        showMessage(damaged(1));
        return;
    }
    m_products->addItems(*numbers);
    m_products->setCurrentIndex(std::max(0, m_products->findText(selected)));
}

void CDSetSeal::onFont()
{
    if (const std::optional<QFont> chosen = m_fonts.choose(toFont(m_profile.font), this)) {
        m_profile.font = fromFont(*chosen, m_profile.font);
        m_fontText->setText(m_profile.font.description());
    }
}

void CDSetSeal::onRecord()
{
    for (CEditEx* offset : {m_horizontal, m_vertical}) {
        if (!offset->checkField())
            return;
    }
    // Nothing is written or announced for a sheet the table does not have.
    const QString maker = m_makers->currentText();
    const QString product = m_products->currentText();
    const int sheet = m_sheets.check(maker, product);
    if (sheet != 0) {
        showMessage(sheet < 0 ? m_sheets.lastMessage() : damaged(sheet));
        return;
    }
    data::SettingsStore& settings = m_document.settings();
    data::UnsavedChangeGuard guard(settings.print().positions);
    settings.print().positions.labelX = m_horizontalTenths;
    settings.print().positions.labelY = m_verticalTenths;
    const bool written = settings.SaveSettingsFile(data::SettingsFileId::Print)
        && (settings.positionFileName().isEmpty()
            || settings.SavePrintPositions(settings.positionFileName()) == 1);
    if (!guard.keepIf(written))
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    m_profile.maker = maker;
    m_profile.productNumber = product;
    m_profile.write();
    accept();
}

} // namespace kv::masters
