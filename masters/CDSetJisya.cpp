#include "masters/CDSetJisya.h"

#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/FontChooser.h"
#include "masters/core/RegistrationNumber.h"
#include "masters/core/SettingsRules.h"

#include "common/MessageGateway.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

namespace {

CEditEx* textEdit(int bytes)
{
    auto* edit = new CEditEx;
    edit->setInputMode(CEditEx::InputMode::Japanese);
    edit->setByteLimit(bytes);
    return edit;
}

void paintReadOnly(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, CEditEx::readOnlyBackground());
    widget->setPalette(palette);
}

} // namespace

QString CDSetJisya::updateKind()
{
    return QStringLiteral("自社情報");
}

CDSetJisya::CDSetJisya(data::SettingsStore& settings, FontChooser& fonts, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_fonts(fonts)
{
    setWindowTitle(updateKind());
    buildLayout();
    // Another computer may have changed the file since it was read.
    m_settings.LoadSettingsFile(data::SettingsFileId::Shop);
    m_settings.loadInvoiceIssuer();
    showDetails();
}

CDSetJisya::~CDSetJisya() = default;

CEditEx* CDSetJisya::rateEdit(int* held)
{
    auto* edit = new CEditEx;
    edit->setInputMode(CEditEx::InputMode::Direct);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(9);
    edit->setExitCheck([held](const QString& text) {
        const std::optional<int> rate = SettingsRules::rateFromText(text);
        if (!rate) {
            *held = 0;
            return FieldVerdict::refuse(SettingsRules::rateMessage(), QStringLiteral("0"));
        }
        *held = *rate;
        return FieldVerdict::accept(SettingsRules::rateText(*rate));
    });
    return edit;
}

FieldVerdict CDSetJisya::checkRegistration(const QString& text)
{
    namespace R = RegistrationNumber;
    const QString number = R::normalized(text);
    if (number == m_acceptedRegistration)
        return FieldVerdict::accept(number);
    switch (R::check(number)) {
    case R::Verdict::Empty:
    case R::Verdict::Valid:
        break;
    case R::Verdict::Malformed:
        return FieldVerdict::refuse(R::malformedMessage(), m_acceptedRegistration);
    case R::Verdict::CheckDigitFails:
        if (!askYesNo(R::checkDigitQuestion(), true, MessageGateway::Icon::Warning))
            return FieldVerdict::refuse({}, m_acceptedRegistration);
        break;
    }
    m_acceptedRegistration = number;
    return FieldVerdict::accept(number);
}

void CDSetJisya::buildLayout()
{
    // The limits are the bytes of the file's fields.
    m_business = textEdit(40);
    m_shopName = textEdit(30);
    m_font = new QLineEdit;
    m_font->setReadOnly(true);
    m_font->setFocusPolicy(Qt::NoFocus);
    paintReadOnly(m_font);
    m_fontButton = new QPushButton(QStringLiteral("ﾌｫﾝﾄ(&C)"));
    m_address1 = textEdit(40);
    m_address2 = textEdit(40);
    m_tel1 = textEdit(16);
    m_tel1->setInputMode(CEditEx::InputMode::Direct);
    m_tel2 = textEdit(16);
    m_tel2->setInputMode(CEditEx::InputMode::Direct);
    m_bankAccount = textEdit(40);
    m_notice = new QPlainTextEdit;
    m_notice->setTabChangesFocus(true);
    m_labourRate = rateEdit(&m_labour);
    m_bodyWorkRate = rateEdit(&m_bodyWork);
    m_registration = new CEditEx;
    m_registration->setInputMode(CEditEx::InputMode::Direct);
    m_registration->setMaxLength(20);
    m_registration->setExitCheck([this](const QString& text) { return checkRegistration(text); });
    m_record = new QPushButton(QStringLiteral("記録(&Z)"));
    m_cancel = new QPushButton(QStringLiteral("中止(Esc)"));
    m_record->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_fontButton->setAutoDefault(false);

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const char* caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        grid->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    add("業務内容", m_business);
    add("自 社 名", m_shopName);
    add("印字フォント", m_font, m_fontButton);
    add("住　　所", m_address1);
    add("", m_address2);
    add("ＴＥＬ", m_tel1);
    add("", m_tel2);
    add("伝票案内", m_notice);
    add("工賃ﾚﾊﾞﾚｰﾄ", m_labourRate);
    add("鈑金ﾚﾊﾞﾚｰﾄ", m_bodyWorkRate);
    add("登録番号", m_registration);
    // The transfer account is kept in the file but not offered.
    m_bankAccount->setParent(this);
    m_bankAccount->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(560, 480);

    connect(m_fontButton, &QPushButton::clicked, this, [this] { onFont(); });
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDSetJisya::showDetails()
{
    const data::ShopDetails& shop = m_settings.shop();
    m_business->setText(shop.business);
    m_shopName->setText(shop.shopName);
    m_font->setText(shop.fontName);
    m_address1->setText(shop.address1);
    m_address2->setText(shop.address2);
    m_tel1->setText(shop.telephone1);
    m_tel2->setText(shop.telephone2);
    m_bankAccount->setText(shop.bankAccount);
    QString notice = shop.slipNotice;
    m_notice->setPlainText(notice.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_labour = shop.labourRate;
    m_bodyWork = shop.bodyWorkRate;
    m_labourRate->setText(SettingsRules::rateText(m_labour));
    m_bodyWorkRate->setText(SettingsRules::rateText(m_bodyWork));
    m_acceptedRegistration = m_settings.invoiceIssuer().registrationNumber;
    m_registration->setText(m_acceptedRegistration);
}

void CDSetJisya::onFont()
{
    QFont initial(m_font->text());
    initial.setPixelSize(12);
    initial.setWeight(QFont::Normal);
    if (const std::optional<QFont> chosen = m_fonts.choose(initial, this))
        m_font->setText(chosen->family());
}

void CDSetJisya::onRecord()
{
    for (CEditEx* field : {m_labourRate, m_bodyWorkRate, m_registration}) {
        if (!field->checkField())
            return;
    }
    data::ShopDetails shop = m_settings.shop();
    shop.business = m_business->text();
    shop.shopName = m_shopName->text();
    shop.fontName = m_font->text();
    shop.address1 = m_address1->text();
    shop.address2 = m_address2->text();
    shop.telephone1 = m_tel1->text();
    shop.telephone2 = m_tel2->text();
    shop.bankAccount = m_bankAccount->text();
    // Lines are kept as the slips print them.
    shop.slipNotice = m_notice->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    shop.labourRate = m_labour;
    shop.bodyWorkRate = m_bodyWork;
    data::UnsavedChangeGuard guard(m_settings.shop());
    m_settings.shop() = shop;
    if (!guard.keepIf(m_settings.SaveSettingsFile(data::SettingsFileId::Shop)))
        return;
    data::UnsavedChangeGuard issuerGuard(m_settings.invoiceIssuer());
    m_settings.invoiceIssuer().registrationNumber = m_acceptedRegistration;
    if (!issuerGuard.keepIf(m_settings.saveInvoiceIssuer()))
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    accept();
}

} // namespace kv::masters
