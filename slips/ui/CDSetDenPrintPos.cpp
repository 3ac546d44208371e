#include "slips/ui/CDSetDenPrintPos.h"

#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/ChangeAnnouncer.h"
#include "slips/core/PrintPositionInput.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::slips {

CDSetDenPrintPos::CDSetDenPrintPos(data::SettingsStore& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("印刷位置"));
    buildLayout();
    // Another computer may have changed them since they were read.
    m_settings.LoadSettingsFile(data::SettingsFileId::Print);
    if (!m_settings.positionFileName().isEmpty())
        m_settings.LoadPrintPositions(m_settings.positionFileName());
    showSettings();
}

CDSetDenPrintPos::~CDSetDenPrintPos() = default;

int* CDSetDenPrintPos::storedValue(Field which) const
{
    data::PrintPositions& p = m_settings.print().positions;
    switch (which) {
    case PageTop: return &p.slipTop;
    case PageLeft: return &p.slipLeft;
    case AddresseeTop: return &p.addresseeTop;
    case AddresseeLeft: return &p.addresseeLeft;
    case UpperFold: return &p.upperFold;
    case CentreLine: return &p.centreLine;
    case LowerFold: return &p.lowerFold;
    }
    return &p.slipTop;
}

void CDSetDenPrintPos::buildLayout()
{
    for (int i = 0; i < kFieldCount; ++i) {
        const auto which = Field(i);
        auto* edit = new CEditEx;
        edit->setInputMode(CEditEx::InputMode::Direct);
        edit->setMaxLength(7);
        edit->setAlignment(Qt::AlignRight);
        const int limit = isMargin(which) ? PrintPositionInput::kMarginLimit : PrintPositionInput::kFoldLimit;
        const QString message = isMargin(which) ? PrintPositionInput::marginMessage()
                                                : PrintPositionInput::foldMessage();
        edit->setExitCheck([this, which, limit, message](const QString& text) {
            const std::optional<int> tenths = PrintPositionInput::tenthsOf(text, limit);
            if (!tenths)
                return FieldVerdict::refuse(message, PrintPositionInput::text(*storedValue(which)));
            return FieldVerdict::accept(PrintPositionInput::text(*tenths));
        });
        m_fields[size_t(i)] = edit;
    }
    const auto row = [this](QGridLayout* grid, int r, const char* caption, Field which) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption)), r, 0);
        grid->addWidget(m_fields[size_t(which)], r, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm")), r, 2);
    };
    auto* whole = new QGroupBox(QStringLiteral("全体"));
    auto* wholeGrid = new QGridLayout(whole);
    row(wholeGrid, 0, "上余白", PageTop);
    row(wholeGrid, 1, "左余白", PageLeft);
    auto* addressee = new QGroupBox(QStringLiteral("宛先"));
    auto* addresseeGrid = new QGridLayout(addressee);
    row(addresseeGrid, 0, "上余白", AddresseeTop);
    row(addresseeGrid, 1, "左余白", AddresseeLeft);
    auto* folds = new QGroupBox(QStringLiteral("折目・中心"));
    auto* foldGrid = new QGridLayout(folds);
    row(foldGrid, 0, "折目上段", UpperFold);
    row(foldGrid, 1, "中心線", CentreLine);
    row(foldGrid, 2, "折目下段", LowerFold);

    // What the addressee block looks like on the slip.
    auto* sample = new QFrame;
    sample->setFrameShape(QFrame::Box);
    auto* sampleLines = new QVBoxLayout(sample);
    for (const char* line : {"〒123-4567", "東京都千代田区丸の内１－１－１", "丸の内ビル３Ｆ",
                             "株式会社 サンプル", "山田 太郎　様"})
        sampleLines->addWidget(new QLabel(QString::fromUtf8(line)));

    auto* ink = new QGroupBox(QStringLiteral("インク"));
    auto* inkLayout = new QHBoxLayout(ink);
    m_blackAndWhite = new QRadioButton(QStringLiteral("白黒"));
    m_colour = new QRadioButton(QStringLiteral("カラー"));
    auto* inkGroup = new QButtonGroup(this);
    inkGroup->addButton(m_blackAndWhite, 0);
    inkGroup->addButton(m_colour, 1);
    inkLayout->addWidget(m_blackAndWhite);
    inkLayout->addWidget(m_colour);
    m_discountSign = new QCheckBox(QStringLiteral("値引記号"));
    m_breakdown = new QCheckBox(QStringLiteral("部工内訳"));

    m_record = new QPushButton(QStringLiteral("記録(&Z)"));
    m_cancel = new QPushButton(QStringLiteral("中止(Esc)"));
    m_record->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(whole);
    left->addWidget(addressee);
    left->addWidget(folds);
    left->addWidget(new QLabel(QStringLiteral("※ 余白：-99.9～99.9")));
    left->addWidget(new QLabel(QStringLiteral("※ 折目：-297.0～297.0")));
    auto* right = new QVBoxLayout;
    right->addWidget(sample);
    right->addWidget(ink);
    right->addWidget(m_discountSign);
    right->addWidget(m_breakdown);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    buttons->addWidget(m_cancel);
    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(buttons);
}

void CDSetDenPrintPos::showSettings()
{
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[size_t(i)]->setText(PrintPositionInput::text(*storedValue(Field(i))));
    const data::PrintSettings& print = m_settings.print();
    (print.colourInk != 0 ? m_colour : m_blackAndWhite)->setChecked(true);
    m_discountSign->setChecked(print.discountSign != 0);
    m_breakdown->setChecked(print.partsLabourBreakdown != 0);
}

void CDSetDenPrintPos::onRecord()
{
    std::array<int, kFieldCount> tenths{};
    for (int i = 0; i < kFieldCount; ++i) {
        const auto which = Field(i);
        if (!m_fields[size_t(i)]->checkField())
            return;
        const int limit = isMargin(which) ? PrintPositionInput::kMarginLimit : PrintPositionInput::kFoldLimit;
        const std::optional<int> value = PrintPositionInput::tenthsOf(m_fields[size_t(i)]->text(), limit);
        if (!value)
            return;
        tenths[size_t(i)] = *value;
    }
    for (int i = 0; i < kFieldCount; ++i)
        *storedValue(Field(i)) = tenths[size_t(i)];
    data::PrintSettings& print = m_settings.print();
    print.colourInk = m_colour->isChecked() ? 1 : 0;
    print.discountSign = m_discountSign->isChecked() ? 1 : 0;
    print.partsLabourBreakdown = m_breakdown->isChecked() ? 1 : 0;
    if (!m_settings.SaveSettingsFile(data::SettingsFileId::Print))
        return;
    const QString positionFile = m_settings.positionFileName();
    if (!positionFile.isEmpty() && m_settings.SavePrintPositions(positionFile) != 1)
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    accept();
}

} // namespace kv::slips
