#include "records/panel/CFMainPanel.h"

#include "records/BaseOfUse.h"
#include "records/Displacement.h"
#include "records/EraDateField.h"
#include "records/NumberRule.h"
#include "records/OwnerToUserCopy.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/PanelRecordSource.h"
#include "records/PostalCode.h"
#include "records/PostalSearch.h"
#include "records/panel/CDPostSelect.h"
#include "records/search/CAllSearchGroup.h"

#include "controls/CButtonEx.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "common/Cp932.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "data/settings/SettingsStore.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>

namespace kv::records {
namespace {

using F = PanelField;
using Mode = CEditEx::InputMode;

constexpr int kJapanese = int(Mode::Japanese);
constexpr int kDirect = int(Mode::Direct);
constexpr int kKana = int(Mode::HalfWidthKana);

// The panel's colours: captions on a pale blue, each half framed on its
// own tint so that the vehicle and the customer read as two forms.
const char* const kCaptionStyle =
    "QLabel { background: rgb(214, 228, 242); border: 1px solid rgb(160, 180, 205);"
    " padding: 1px 4px; }";
const char* const kVehicleGroupStyle =
    "#vehicleGroup { background: rgb(238, 244, 236); border: 1px solid rgb(150, 170, 150); }";
const char* const kCustomerGroupStyle =
    "#customerGroup { background: rgb(246, 240, 232); border: 1px solid rgb(175, 160, 140); }";

QLabel* caption(const QString& text, int width = 0)
{
    auto* label = new QLabel(text);
    label->setStyleSheet(QString::fromLatin1(kCaptionStyle));
    if (width > 0)
        label->setFixedWidth(width);
    return label;
}

QLabel* unit(const QString& text)
{
    return new QLabel(text);
}

// A row of widgets, left-aligned.
QWidget* line(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch(1);
    return row;
}

FieldCheck verdictOf(std::function<FieldCheckResult(const QString&)> rule)
{
    return [rule = std::move(rule)](const QString& text) {
        const FieldCheckResult result = rule(text);
        return result.accepted ? FieldVerdict::accept(result.text)
                               : FieldVerdict::refuse(result.message, result.text);
    };
}

FieldCheck numberCheck(const NumberRule& rule)
{
    return verdictOf([&rule](const QString& text) { return rule.check(text); });
}

} // namespace

CFMainPanel::CFMainPanel(PanelRecordSource& records, data::SettingsStore& settings,
                         PanelHost& host, QWidget* parent)
    : QWidget(parent), m_records(records), m_settings(settings), m_host(host), m_lookup(records)
{
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(buildTopRow());
    layout->addWidget(buildVehicleGroup());
    layout->addWidget(buildCustomerGroup());
    layout->addWidget(new QLabel(QStringLiteral("※ﾎﾞﾀﾝのある項目は Ctrl + Space で参照入力可")));
    layout->addStretch(1);

    attachChecks();
    attachBehaviour();
    refillLists();
    clearPanel();
    showTotals();
    resetLineFlags();
}

CFMainPanel::~CFMainPanel() = default;

CEditEx* CFMainPanel::addEdit(PanelField field, int bytes, int inputMode, bool numeric,
                              int widthBytes)
{
    CEditEx* edit = numeric ? new CNumericEditEx : new CEditEx;
    edit->setByteLimit(bytes);
    edit->setInputMode(CEditEx::InputMode(inputMode));
    const int shownBytes = widthBytes > 0 ? widthBytes : bytes;
    edit->setFixedWidth(shownBytes * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 12);
    m_fields[size_t(field)] = edit;
    return edit;
}

CComboBoxEn* CFMainPanel::addCombo(PanelField field, int widthBytes)
{
    auto* combo = new CComboBoxEn;
    combo->setFixedWidth(widthBytes * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 30);
    combo->setMaxVisibleItems(20);
    m_fields[size_t(field)] = combo;
    return combo;
}

CButtonEx* CFMainPanel::addCheck(PanelField field, const QString& captionText)
{
    auto* check = new CButtonEx(captionText, CButtonEx::Kind::CheckBox);
    check->setCheckable(true);
    m_fields[size_t(field)] = check;
    return check;
}

QWidget* CFMainPanel::buildTopRow()
{
    m_modeText = new CEditEx;
    m_modeText->setReadOnly(true);
    m_modeText->setFocusPolicy(Qt::NoFocus);
    m_modeText->setFixedWidth(120);
    m_customerTotal = new CEditEx;
    m_vehicleTotal = new CEditEx;
    for (CEditEx* total : {m_customerTotal, m_vehicleTotal}) {
        total->setReadOnly(true);
        total->setFocusPolicy(Qt::NoFocus);
        total->setAlignment(Qt::AlignRight);
        total->setFixedWidth(80);
    }
    m_queryGroup = new search::CAllSearchGroup;
    m_queryGroup->hide();
    return line({caption(QStringLiteral("検索ﾓｰﾄﾞ")), m_modeText, caption(QStringLiteral("顧客総数")),
                 m_customerTotal, caption(QStringLiteral("車輌総数")), m_vehicleTotal,
                 m_queryGroup});
}

QWidget* CFMainPanel::buildVehicleGroup()
{
    auto* group = new QFrame;
    group->setObjectName(QStringLiteral("vehicleGroup"));
    group->setStyleSheet(QString::fromLatin1(kVehicleGroupStyle));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    const int captionWidth = 96;
    m_officeButton = new CButtonEx(QStringLiteral("登録番号"), CButtonEx::Kind::PushButton);
    m_officeButton->setFixedWidth(captionWidth);
    m_vehicleNameButton = new CButtonEx(QStringLiteral("車名"), CButtonEx::Kind::PushButton);
    m_vehicleNameButton->setFixedWidth(captionWidth);

    // The left column follows the certificate from the code to the
    // dimensions; the right one holds the weights, dates and costs.
    int row = 0;
    auto left = [&](QWidget* captionWidget, QWidget* fields) {
        grid->addWidget(captionWidget, row, 0);
        grid->addWidget(fields, row, 1);
        ++row;
    };
    left(caption(QStringLiteral("車輌ｺｰﾄﾞ"), captionWidth),
         line({addEdit(F::CarCode, 6, kDirect, true, 7)}));
    left(m_officeButton, line({addEdit(F::Rikuji, 8, kJapanese), addEdit(F::Rno, 3, kDirect, true, 4),
                               addEdit(F::Kana, 2, kJapanese, false, 3),
                               addEdit(F::Preno, 4, kDirect, true, 5)}));
    left(caption(QStringLiteral("登録年月日"), captionWidth),
         line({addCombo(F::TounenEra, 4), addEdit(F::Tounen, 8, kDirect, true)}));
    left(caption(QStringLiteral("初度登録年月"), captionWidth),
         line({addCombo(F::SyonenEra, 4), addEdit(F::Syonen, 5, kDirect, true, 8)}));
    left(caption(QStringLiteral("自動車の種別"), captionWidth), line({addCombo(F::Syubetu, 14)}));
    left(caption(QStringLiteral("用　途"), captionWidth), line({addCombo(F::Youto, 14)}));
    left(caption(QStringLiteral("自家・事業"), captionWidth), line({addCombo(F::Jiei, 8)}));
    left(caption(QStringLiteral("車体の形状"), captionWidth), line({addCombo(F::Keijyo, 14)}));
    left(m_vehicleNameButton, line({addCombo(F::Syamei, 14)}));
    left(new QLabel, line({addEdit(F::Syasyu, 30, kKana)}));
    left(caption(QStringLiteral("型式"), captionWidth), line({addEdit(F::Katasiki, 20, kDirect)}));
    left(caption(QStringLiteral("乗車定員"), captionWidth),
         line({addEdit(F::Teiin, 3, kDirect, true, 4), unit(QStringLiteral("人")),
               addEdit(F::Teiin2, 3, kDirect, true, 4), unit(QStringLiteral("人"))}));
    left(caption(QStringLiteral("車台番号"), captionWidth), line({addEdit(F::Syatai, 22, kDirect)}));
    left(caption(QStringLiteral("原動機の型式"), captionWidth),
         line({addEdit(F::Gendoki, 20, kDirect)}));
    left(caption(QStringLiteral("長さ・幅・高さ"), captionWidth),
         line({addEdit(F::Nagasa, 5, kDirect, false, 6), unit(QStringLiteral("cm")),
               addEdit(F::Haba, 5, kDirect, false, 6), unit(QStringLiteral("cm")),
               addEdit(F::Takasa, 5, kDirect, false, 6), unit(QStringLiteral("cm"))}));
    left(caption(QStringLiteral("総排気量"), captionWidth),
         line({addEdit(F::Haikiryo, 6, kDirect, false, 7), unit(QStringLiteral("L"))}));
    left(caption(QStringLiteral("燃料の種類"), captionWidth), line({addCombo(F::Nenryo, 10)}));

    row = 0;
    auto right = [&](const QString& captionText, QWidget* fields) {
        grid->addWidget(caption(captionText, captionWidth), row, 2);
        grid->addWidget(fields, row, 3);
        ++row;
    };
    const QString kg = QStringLiteral("kg");
    right(QStringLiteral("型式指定"), line({addEdit(F::Kata, 5, kDirect, true, 6)}));
    right(QStringLiteral("類別"), line({addEdit(F::Rui, 4, kDirect, true, 5)}));
    right(QStringLiteral("最大積載量"),
          line({addEdit(F::Sekisai, 6, kDirect, false, 8), unit(kg),
                addEdit(F::Sekisai2, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("車輌重量"), line({addEdit(F::Jyuryo, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("車輌総重量"),
          line({addEdit(F::SouJyuryo, 6, kDirect, false, 8), unit(kg),
                addEdit(F::SouJyuryo2, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("前前軸重"), line({addEdit(F::ZenZen, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("前後軸重"), line({addEdit(F::ZenKou, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("後前軸重"), line({addEdit(F::KouZen, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("後後軸重"), line({addEdit(F::KouKou, 6, kDirect, false, 8), unit(kg)}));
    right(QStringLiteral("車検満了日"), line({addEdit(F::Syaman, 8, kDirect, true)}));
    right(QStringLiteral("有効期間"),
          line({addEdit(F::Yuko, 1, kDirect, true, 2), unit(QStringLiteral("年"))}));
    right(QStringLiteral("任保満了日"), line({addEdit(F::Homan, 8, kDirect, true)}));
    const QString yen = QStringLiteral("円");
    right(QStringLiteral("自賠責料"), line({addEdit(F::Jibai, 7, kDirect, false, 9), unit(yen)}));
    m_eco = new QCheckBox(QStringLiteral("エコカー"));
    right(QStringLiteral("重量税"), line({addEdit(F::JyuZei, 7, kDirect, false, 9), unit(yen), m_eco}));
    right(QStringLiteral("印紙代"), line({addEdit(F::Insi, 7, kDirect, false, 9), unit(yen)}));
    right(QStringLiteral("代行料"), line({addEdit(F::Daiko, 7, kDirect, false, 9), unit(yen)}));

    const int last = 17;
    grid->addWidget(caption(QStringLiteral("車輌備考"), captionWidth), last, 0);
    grid->addWidget(line({addEdit(F::CarBiko1, 30, kJapanese), addEdit(F::CarBiko2, 30, kJapanese)}),
                    last, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (F field : {F::Rno, F::Preno, F::Teiin, F::Teiin2, F::Sekisai, F::Sekisai2, F::Jyuryo,
                    F::SouJyuryo, F::SouJyuryo2, F::Nagasa, F::Haba, F::Takasa, F::Haikiryo,
                    F::Kata, F::Rui, F::ZenZen, F::ZenKou, F::KouZen, F::KouKou, F::Yuko, F::Jibai,
                    F::JyuZei, F::Insi, F::Daiko, F::CarCode})
        static_cast<CEditEx*>(fieldWidget(field))->setAlignment(Qt::AlignRight);
    m_vehicleGroup = group;
    return group;
}

QWidget* CFMainPanel::buildCustomerGroup()
{
    auto* group = new QFrame;
    group->setObjectName(QStringLiteral("customerGroup"));
    group->setStyleSheet(QString::fromLatin1(kCustomerGroupStyle));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    const int captionWidth = 150;
    auto button = [captionWidth](const QString& text) {
        auto* b = new CButtonEx(text, CButtonEx::Kind::PushButton);
        b->setFixedWidth(captionWidth);
        return b;
    };
    m_ownerNameButton = button(QStringLiteral("所有者の氏名又は名称"));
    m_ownerAddressButton = button(QStringLiteral("所有者の住所"));
    m_userNameButton = button(QStringLiteral("使用者の氏名又は名称"));
    m_userAddressButton = button(QStringLiteral("使用者の住所"));
    m_postButton = button(QStringLiteral("郵便番号"));
    m_postButton->setFixedWidth(80);

    int row = 0;
    auto add = [&](QWidget* captionWidget, QWidget* fields) {
        grid->addWidget(captionWidget, row, 0);
        grid->addWidget(fields, row, 1);
        ++row;
    };
    auto* hoyu = new CEditEx;
    hoyu->setReadOnly(true);
    hoyu->setFocusPolicy(Qt::NoFocus);
    hoyu->setAlignment(Qt::AlignRight);
    hoyu->setFixedWidth(50);
    m_fields[size_t(F::Hoyu)] = hoyu;
    CEditEx* code = addEdit(F::KokCode, 6, kDirect, true, 7);
    code->setAlignment(Qt::AlignRight);
    add(caption(QStringLiteral("顧客ｺｰﾄﾞ"), captionWidth),
        line({code, caption(QStringLiteral("保有台数")), hoyu, unit(QStringLiteral("台"))}));
    add(m_ownerNameButton,
        line({addEdit(F::OwnerName1, 20, kJapanese, false, 24),
              addEdit(F::OwnerName2, 20, kJapanese, false, 24)}));
    add(m_ownerAddressButton,
        line({addEdit(F::OwnerJyu1, 30, kJapanese), addEdit(F::OwnerJyu2, 30, kJapanese)}));
    add(m_userNameButton,
        line({addEdit(F::UserName1, 20, kJapanese, false, 24),
              addEdit(F::UserName2, 20, kJapanese, false, 24), addCombo(F::Sama, 4)}));
    add(caption(QStringLiteral("ﾌ ﾘ ｶﾞﾅ"), captionWidth),
        line({addEdit(F::Furi, 20, kKana, false, 24), m_postButton,
              addEdit(F::Post, 8, kDirect, false, 9)}));
    add(m_userAddressButton,
        line({addEdit(F::UserJyu1, 30, kJapanese), addEdit(F::UserJyu2, 30, kJapanese)}));
    add(caption(QStringLiteral("Ｔ Ｅ Ｌ"), captionWidth),
        line({addEdit(F::Tel1, 20, kDirect), addEdit(F::Tel2, 20, kDirect)}));
    add(caption(QStringLiteral("使用の本拠の位置"), captionWidth),
        line({addEdit(F::UseBase1, 30, kJapanese), addEdit(F::UseBase2, 30, kJapanese)}));
    add(caption(QStringLiteral("生年月日"), captionWidth),
        line({addCombo(F::BurthEra, 4), addEdit(F::Burth, 8, kDirect, true),
              caption(QStringLiteral("締日")), addEdit(F::Shime1, 2, kDirect, true, 3),
              addEdit(F::Shime2, 2, kDirect, true, 3), addEdit(F::Shime3, 2, kDirect, true, 3),
              addEdit(F::Shime4, 2, kDirect, true, 3), unit(QStringLiteral("0=なし　31=末日"))}));
    add(caption(QStringLiteral("顧客備考"), captionWidth),
        line({addEdit(F::KokBiko1, 30, kJapanese), addEdit(F::KokBiko2, 30, kJapanese)}));
    add(new QLabel,
        line({addCheck(F::Syochuu, QStringLiteral("暑中見舞い")),
              addCheck(F::Nenga, QStringLiteral("年賀状")),
              addCheck(F::Chuugen, QStringLiteral("お中元")),
              addCheck(F::Seibo, QStringLiteral("お歳暮"))}));
    grid->setColumnStretch(1, 1);

    // The referrer has no place in this layout: held, carried and written
    // back through fields that are never shown.
    CEditEx* referrer = addEdit(F::SyoukaiKokCode, 6, kDirect, true);
    CEditEx* referrerName = addEdit(F::SyoukaiName, 20, kDirect);
    referrerName->setReadOnly(true);
    for (CEditEx* hidden : {referrer, referrerName}) {
        hidden->setParent(group);
        hidden->hide();
    }
    m_customerGroup = group;
    return group;
}

void CFMainPanel::attachChecks()
{
    struct NumberField {
        F field;
        const NumberRule& rule;
    };
    const NumberField numbers[] = {
        {F::Rno, NumberRule::classNumber()},      {F::Preno, NumberRule::plateNumber()},
        {F::Teiin, NumberRule::capacity()},        {F::Teiin2, NumberRule::capacity()},
        {F::Sekisai, NumberRule::weight()},        {F::Sekisai2, NumberRule::weight()},
        {F::Jyuryo, NumberRule::weight()},         {F::SouJyuryo, NumberRule::weight()},
        {F::SouJyuryo2, NumberRule::weight()},     {F::ZenZen, NumberRule::weight()},
        {F::ZenKou, NumberRule::weight()},         {F::KouZen, NumberRule::weight()},
        {F::KouKou, NumberRule::weight()},         {F::Nagasa, NumberRule::length()},
        {F::Haba, NumberRule::length()},           {F::Takasa, NumberRule::length()},
        {F::Kata, NumberRule::typeDesignation()},  {F::Rui, NumberRule::classification()},
        {F::Yuko, NumberRule::validYears()},       {F::Jibai, NumberRule::amount()},
        {F::JyuZei, NumberRule::amount()},         {F::Insi, NumberRule::amount()},
        {F::Daiko, NumberRule::amount()},          {F::Shime1, NumberRule::closingDay()},
        {F::Shime2, NumberRule::closingDay()},     {F::Shime3, NumberRule::closingDay()},
        {F::Shime4, NumberRule::closingDay()},     {F::SyoukaiKokCode, NumberRule::referrerCode()},
    };
    for (const NumberField& n : numbers)
        static_cast<CEditEx*>(fieldWidget(n.field))->setExitCheck(numberCheck(n.rule));

    auto edit = [this](F field) { return static_cast<CEditEx*>(fieldWidget(field)); };
    edit(F::Post)->setExitCheck(verdictOf(&PostalCode::checkOnLeave));
    edit(F::Haikiryo)->setExitCheck(verdictOf(&Displacement::checkOnLeave));
    edit(F::Syaman)->setExitCheck(verdictOf(&ExpiryDateField::checkOnLeave));
    edit(F::Homan)->setExitCheck(verdictOf(&ExpiryDateField::checkOnLeave));
    struct DateField {
        F field;
        const EraDateField& rules;
    };
    for (const DateField& d : {DateField{F::Burth, EraDateField::birthday()},
                               DateField{F::Tounen, EraDateField::registration()},
                               DateField{F::Syonen, EraDateField::firstRegistration()}}) {
        const EraDateField* rules = &d.rules;
        edit(d.field)->setExitCheck(
            verdictOf([rules](const QString& text) { return rules->checkOnLeave(text); }));
    }
}

void CFMainPanel::attachBehaviour()
{
    auto edit = [this](F field) { return static_cast<CEditEx*>(fieldWidget(field)); };
    connect(edit(F::KokCode), &CEditEx::entered, this, [this] { resetLineFlags(); });

    // The line of each pair that had the focus last, for the pick lists.
    struct LinePair {
        F first;
        F second;
        int* flag;
    };
    for (const LinePair& pair : {LinePair{F::OwnerName1, F::OwnerName2, &m_ownerNameLine},
                                 LinePair{F::OwnerJyu1, F::OwnerJyu2, &m_ownerAddressLine},
                                 LinePair{F::UserName1, F::UserName2, &m_userNameLine},
                                 LinePair{F::UserJyu1, F::UserJyu2, &m_userAddressLine}}) {
        int* flag = pair.flag;
        connect(edit(pair.first), &CEditEx::entered, this, [flag] { *flag = 0; });
        connect(edit(pair.second), &CEditEx::entered, this, [flag] { *flag = 1; });
    }

    // While a new customer is entered the owner lines fill the empty user lines.
    struct Copy {
        F owner;
        F user;
    };
    for (const Copy& copy : {Copy{F::OwnerName1, F::UserName1}, Copy{F::OwnerName2, F::UserName2},
                             Copy{F::OwnerJyu1, F::UserJyu1}, Copy{F::OwnerJyu2, F::UserJyu2}}) {
        const F owner = copy.owner;
        const F user = copy.user;
        connect(edit(owner), &CEditEx::left, this, [this, owner, user] {
            if (!newCustomerMode())
                return;
            setText(user, OwnerToUserCopy::userLine(text(owner), text(user)));
            if (owner == F::OwnerJyu1)
                setText(F::UseBase1,
                        OwnerToUserCopy::baseOfUseFirstLine(text(owner), text(F::UseBase1)));
        });
    }

    // The marker of the base of use gives way while a line is edited.
    auto baseRule = [this](BaseOfUse::Lines (*rule)(const BaseOfUse::Lines&,
                                                    const BaseOfUse::Lines&)) {
        return [this, rule] {
            const BaseOfUse::Lines lines = rule({text(F::UseBase1), text(F::UseBase2)},
                                                {text(F::UserJyu1), text(F::UserJyu2)});
            setText(F::UseBase1, lines.first);
            setText(F::UseBase2, lines.second);
        };
    };
    connect(edit(F::UseBase1), &CEditEx::entered, this, baseRule(&BaseOfUse::enterFirst));
    connect(edit(F::UseBase2), &CEditEx::entered, this, baseRule(&BaseOfUse::enterSecond));
    connect(edit(F::UseBase1), &CEditEx::left, this, baseRule(&BaseOfUse::leaveFirst));
    connect(edit(F::UseBase2), &CEditEx::left, this, baseRule(&BaseOfUse::leaveSecond));

    const struct {
        CButtonEx* button;
        PickList list;
        bool user;
    } buttons[] = {
        {m_ownerNameButton, PickList::CustomerNames, false},
        {m_userNameButton, PickList::CustomerNames, true},
        {m_ownerAddressButton, PickList::Addresses, false},
        {m_userAddressButton, PickList::Addresses, true},
        {m_officeButton, PickList::TransportOffices, false},
        {m_vehicleNameButton, PickList::VehicleNames, false},
    };
    for (const auto& entry : buttons) {
        const PickList kind = entry.list;
        const bool user = entry.user;
        connect(entry.button, &CButtonEx::clicked, this,
                [this, kind, user] { openPickList(kind, user); });
    }
    connect(m_postButton, &CButtonEx::clicked, this, [this] { postalSearch(); });
}

void CFMainPanel::fillCombo(PanelField field, const QStringList& entries)
{
    auto* combo = static_cast<CComboBoxEn*>(fieldWidget(field));
    const int current = combo->currentIndex();
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(current >= 0 && current < combo->count() ? current : 0);
}

void CFMainPanel::fillSettingsCombo(PanelField field, const data::SettingsList& list)
{
    fillCombo(field, list.entries());
}

void CFMainPanel::refillLists()
{
    fillCombo(F::BurthEra, EraDateField::birthday().eraEntries());
    fillCombo(F::TounenEra, EraDateField::registration().eraEntries());
    fillCombo(F::SyonenEra, EraDateField::firstRegistration().eraEntries());
    fillCombo(F::Sama, {QString(), QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("御中")});
    fillCombo(F::Jiei, {QString(), QStringLiteral("自家用"), QStringLiteral("事業用")});
    fillSettingsCombo(F::Syubetu, m_settings.vehicleClasses());
    fillSettingsCombo(F::Youto, m_settings.vehicleUses());
    fillSettingsCombo(F::Keijyo, m_settings.bodyShapes());
    fillSettingsCombo(F::Syamei, m_settings.makes());
    fillSettingsCombo(F::Nenryo, m_settings.fuels());
}

void CFMainPanel::showTotals()
{
    QString text;
    Kanma(text, int(std::max(0L, m_records.CountCustomers())));
    m_customerTotal->setText(text);
    Kanma(text, int(std::max(0L, m_records.CountVehicles())));
    m_vehicleTotal->setText(text);
}

QString CFMainPanel::text(PanelField field) const
{
    return static_cast<const CEditEx*>(fieldWidget(field))->text();
}

void CFMainPanel::setText(PanelField field, const QString& value)
{
    static_cast<CEditEx*>(fieldWidget(field))->setText(value);
}

void CFMainPanel::showValues(const PanelValues& values, bool customer, bool vehicle)
{
    for (int i = 0; i < kPanelFieldCount; ++i) {
        const F field = F(i);
        if (isCustomerField(field) ? !customer : !vehicle)
            continue;
        QWidget* widget = fieldWidget(field);
        if (auto* combo = qobject_cast<CComboBoxEn*>(widget))
            combo->setCurrentIndex(values.index(field) < combo->count() ? values.index(field) : 0);
        else if (auto* check = qobject_cast<CButtonEx*>(widget))
            check->setChecked(values.index(field) != 0);
        else if (auto* edit = qobject_cast<CEditEx*>(widget))
            edit->setText(values.text(field));
    }
    if (customer)
        m_values.assignCustomer(values);
    if (vehicle) {
        m_values.assignVehicle(values);
        const int code = values.text(F::CarCode).toInt();
        m_eco->setChecked(code != 0 && m_isEco && m_isEco(code));
        const QStringList hints = code != 0 && m_costHints ? m_costHints(code) : QStringList();
        int i = 0;
        for (F field : {F::Jibai, F::JyuZei, F::Insi})
            fieldWidget(field)->setToolTip(hints.value(i++));
    }
}

void CFMainPanel::collectValues()
{
    for (int i = 0; i < kPanelFieldCount; ++i) {
        const F field = F(i);
        QWidget* widget = fieldWidget(field);
        if (auto* combo = qobject_cast<CComboBoxEn*>(widget))
            m_values.setIndex(field, std::max(0, combo->currentIndex()));
        else if (auto* check = qobject_cast<CButtonEx*>(widget))
            m_values.setIndex(field, check->isChecked() ? 1 : 0);
        else if (auto* edit = qobject_cast<CEditEx*>(widget))
            m_values.setText(field, edit->text());
    }
}

PanelValues& CFMainPanel::heldValues()
{
    collectValues();
    return m_values;
}

int CFMainPanel::shownCustomerCode() const
{
    return text(F::KokCode).toInt();
}

int CFMainPanel::shownVehicleCode() const
{
    return text(F::CarCode).toInt();
}

void CFMainPanel::clearPanel()
{
    PanelValues empty;
    PanelRecordBinding::clearVehicle(empty);
    empty.clearCustomer();
    showValues(empty, true, true);
    setCustomerGroupEnabled(false);
    setVehicleGroupEnabled(false);
}

void CFMainPanel::showNothing()
{
    clearPanel();
    setCustomerCodeEditable(false);
    setVehicleCodeEditable(false);
    m_host.SetCommandButtons(true, true, false, false, false, false, true, false, false, false);
}

void CFMainPanel::setCustomerGroupEnabled(bool enabled)
{
    m_customerGroup->setEnabled(enabled);
    updateCaptionButtons();
}

void CFMainPanel::setVehicleGroupEnabled(bool enabled)
{
    m_vehicleGroup->setEnabled(enabled);
    updateCaptionButtons();
}

bool CFMainPanel::customerGroupEnabled() const
{
    return m_customerGroup->isEnabled();
}

bool CFMainPanel::vehicleGroupEnabled() const
{
    return m_vehicleGroup->isEnabled();
}

void CFMainPanel::setCustomerCodeEditable(bool editable)
{
    static_cast<CEditEx*>(fieldWidget(F::KokCode))->setReadOnly(!editable);
}

void CFMainPanel::setVehicleCodeEditable(bool editable)
{
    static_cast<CEditEx*>(fieldWidget(F::CarCode))->setReadOnly(!editable);
}

void CFMainPanel::updateCaptionButtons()
{
    const bool lists = bool(m_pickListOpener);
    for (CButtonEx* b : {m_ownerNameButton, m_ownerAddressButton, m_userNameButton,
                         m_userAddressButton})
        b->setEnabled(lists);
    m_officeButton->setEnabled(lists);
    m_vehicleNameButton->setEnabled(lists);
    const bool postal = m_postal && m_postal->available();
    m_postButton->setEnabled(postal);
    m_postButton->setToolTip(m_postal ? m_postal->unavailableReason() : QString());
}

void CFMainPanel::setPostalSearch(PostalSearch* search, PostalChooser chooser)
{
    m_postal = search;
    m_postalChooser = std::move(chooser);
    updateCaptionButtons();
}

void CFMainPanel::postalSearch()
{
    if (!m_postal || !m_postal->available() || !customerGroupEnabled())
        return;
    const QString code = text(F::Post).trimmed();
    if (!code.isEmpty()) {
        int post = 0;
        if (!PostalCode::read(code, &post) || post == 0) {
            showMessage(QStringLiteral("郵便番号が異常です！"));
            focusField(F::Post);
            return;
        }
        fillAddressFromCode(post);
        return;
    }
    const QString address = text(F::OwnerJyu1).trimmed();
    if (address.isEmpty()) {
        showMessage(QStringLiteral("郵便番号か所有者の住所を入力して下さい！"));
        focusField(F::Post);
        return;
    }
    fillCodeFromAddress(address);
}

int CFMainPanel::choosePostalAddress(const std::vector<PostalAddress>& addresses)
{
    if (addresses.size() == 1)
        return 0;
    if (m_postalChooser)
        return m_postalChooser(addresses);
    CDPostSelect dialog(addresses, window());
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}

void CFMainPanel::fillAddressFromCode(int post)
{
    const std::vector<PostalAddress> found =
        m_postal->byCode(post, m_settings.general().defaultPrefecture);
    if (!m_postal->lastError().description.isEmpty()) {
        showMessage(m_postal->lastError().description);
        return;
    }
    if (found.empty()) {
        showMessage(QStringLiteral("%1 の住所は見つかりません！").arg(PostalCode::show(post)));
        focusField(F::Post);
        return;
    }
    const int chosen = choosePostalAddress(found);
    if (chosen < 0 || size_t(chosen) >= found.size())
        return;
    setText(F::Post, PostalCode::show(post));
    // The house number follows where the town ends; a line that cannot take
    // the whole address keeps whole characters only.
    auto* line = static_cast<CEditEx*>(fieldWidget(F::OwnerJyu1));
    line->setText(cp932::truncateToBytes(found[size_t(chosen)].text(), line->byteLimit()));
    collectValues();
    line->setFocus(Qt::OtherFocusReason);
    line->deselect();
    line->end(false);
}

void CFMainPanel::fillCodeFromAddress(const QString& address)
{
    const std::vector<PostalAddress> found =
        m_postal->byAddress(address, m_settings.general().defaultPrefecture);
    if (!m_postal->lastError().description.isEmpty()) {
        showMessage(m_postal->lastError().description);
        return;
    }
    if (found.empty()) {
        showMessage(QStringLiteral("住所に合う郵便番号は見つかりません！"));
        focusField(F::OwnerJyu1);
        return;
    }
    const int chosen = choosePostalAddress(found);
    if (chosen < 0 || size_t(chosen) >= found.size())
        return;
    setText(F::Post, PostalCode::show(found[size_t(chosen)].post));
    collectValues();
    focusField(F::Post);
}

void CFMainPanel::setPickListOpener(std::function<void(PickList, bool user)> opener)
{
    m_pickListOpener = std::move(opener);
    updateCaptionButtons();
}

void CFMainPanel::openPickList(PickList list, bool user)
{
    const bool vehicleList = list == PickList::TransportOffices || list == PickList::VehicleNames;
    const bool groupOn = vehicleList ? vehicleGroupEnabled() : customerGroupEnabled();
    if (list == PickList::None || !groupOn || !m_pickListOpener)
        return;
    collectValues();
    m_pickListOpener(list, user);
}

void CFMainPanel::ReferenceInput()
{
    for (int i = 0; i < kPanelFieldCount; ++i) {
        if (fieldWidget(F(i)) && fieldWidget(F(i))->hasFocus()) {
            const F field = F(i);
            if (field == F::Post) {
                postalSearch();
                return;
            }
            const bool user = field == F::UserName1 || field == F::UserName2
                || field == F::UserJyu1 || field == F::UserJyu2;
            openPickList(pickListOfField(field), user);
            return;
        }
    }
}

void CFMainPanel::pickListChosen(PickList list)
{
    auto show = [this](std::initializer_list<F> fields) {
        for (F field : fields) {
            if (auto* combo = qobject_cast<CComboBoxEn*>(fieldWidget(field)))
                combo->setCurrentIndex(m_values.index(field));
            else
                setText(field, m_values.text(field));
        }
    };
    switch (list) {
    case PickList::CustomerNames:
        show({F::OwnerName1, F::OwnerName2, F::UserName1, F::UserName2, F::Furi});
        break;
    case PickList::Addresses: show({F::OwnerJyu1, F::OwnerJyu2, F::UserJyu1, F::UserJyu2}); break;
    case PickList::TransportOffices: show({F::Rikuji}); break;
    case PickList::VehicleNames: show({F::Syamei, F::Syasyu}); break;
    case PickList::None: break;
    }
}

CButtonEx* CFMainPanel::captionButton(PickList list, bool user) const
{
    switch (list) {
    case PickList::CustomerNames: return user ? m_userNameButton : m_ownerNameButton;
    case PickList::Addresses: return user ? m_userAddressButton : m_ownerAddressButton;
    case PickList::TransportOffices: return m_officeButton;
    case PickList::VehicleNames: return m_vehicleNameButton;
    case PickList::None: break;
    }
    return m_postButton;
}

void CFMainPanel::SetModeText(int mode)
{
    if (PanelMode::changesText(mode))
        m_modeText->setText(PanelMode::text(mode));
}

QString CFMainPanel::modeText() const
{
    return m_modeText->text();
}

QString CFMainPanel::customerTotalText() const
{
    return m_customerTotal->text();
}

QString CFMainPanel::vehicleTotalText() const
{
    return m_vehicleTotal->text();
}

void CFMainPanel::resetLineFlags()
{
    m_ownerNameLine = m_ownerAddressLine = m_userNameLine = m_userAddressLine = 0;
}

bool CFMainPanel::newCustomerMode() const
{
    return m_host.mode() == PanelMode::NewCustomer;
}

void CFMainPanel::updateCommands(bool hasVehicle)
{
    const int hoyu = m_values.text(F::Hoyu).toInt();
    m_host.SetCommandButtons(true, true, hoyu >= 2, true, true, hasVehicle, true, true,
                             shownCustomerCode() != 0, true);
}

void CFMainPanel::applyLookup(const PanelLookupResult& result, int modeForText, bool setMode)
{
    showValues(result.values, true, true);
    setCustomerGroupEnabled(true);
    setCustomerCodeEditable(false);
    setVehicleGroupEnabled(result.hasVehicle);
    setVehicleCodeEditable(false);
    if (!result.hasVehicle)
        fieldWidget(F::KokCode)->setFocus(Qt::OtherFocusReason);
    if (setMode) {
        updateCommands(result.hasVehicle);
        SetModeText(modeForText);
    }
}

bool CFMainPanel::ShowCustomer(int code, bool setMode)
{
    const PanelLookupResult result = m_lookup.customer(code);
    if (!result.ok) {
        showMessage(result.message);
        return false;
    }
    applyLookup(result, PanelMode::CustomerCodeOrder, setMode);
    return true;
}

bool CFMainPanel::ShowVehicle(int code, bool setMode)
{
    const PanelLookupResult result = m_lookup.vehicle(code);
    if (!result.ok) {
        showMessage(result.message);
        return false;
    }
    applyLookup(result, PanelMode::VehicleCodeOrder, setMode);
    return true;
}

bool CFMainPanel::StepCustomer(bool next)
{
    const PanelLookupResult result = m_lookup.stepCustomer(
        shownCustomerCode(), next ? PanelLookup::Direction::Next : PanelLookup::Direction::Previous);
    if (!result.ok) {
        showMessage(result.message);
        return false;
    }
    // The F5 and slip commands follow the customer now shown.
    applyLookup(result, m_host.mode(), true);
    return true;
}

bool CFMainPanel::StepVehicle(bool next)
{
    const PanelLookupResult result = m_lookup.stepVehicle(
        shownVehicleCode(), next ? PanelLookup::Direction::Next : PanelLookup::Direction::Previous);
    if (!result.ok) {
        showMessage(result.message);
        return false;
    }
    applyLookup(result, m_host.mode(), true);
    return true;
}

bool CFMainPanel::checkField(PanelField field)
{
    if (auto* edit = qobject_cast<CEditEx*>(fieldWidget(field)))
        return edit->checkField();
    return true;
}

void CFMainPanel::focusField(PanelField field)
{
    fieldWidget(field)->setFocus(Qt::OtherFocusReason);
}

bool CFMainPanel::reportFailure(const WriteBackResult& result)
{
    if (result.ok)
        return true;
    focusField(result.field);
    showMessage(result.message);
    return false;
}

bool CFMainPanel::readCustomerRow(data::KokRow& row)
{
    collectValues();
    row.m_KokCode = shownCustomerCode();
    return reportFailure(PanelRecordBinding::writeCustomer(m_values, row));
}

bool CFMainPanel::readVehicleRow(data::CarRow& row)
{
    collectValues();
    row.m_CarCode = shownVehicleCode();
    return reportFailure(PanelRecordBinding::writeVehicle(m_values, shownCustomerCode(), row));
}

void CFMainPanel::showRecordedCustomer(const data::KokRow& row)
{
    PanelValues values = heldValues();
    const QString referrerName = values.text(F::SyoukaiName);
    PanelRecordBinding::showCustomer(row, values);
    values.setText(F::SyoukaiName, referrerName);
    showValues(values, true, false);
}

bool CFMainPanel::readQueryForm(search::QueryFormValues& customer,
                                search::QueryFormValues& vehicle)
{
    collectValues();
    return reportFailure(PanelRecordBinding::readCustomerQuery(m_values, customer))
        && reportFailure(PanelRecordBinding::readVehicleQuery(m_values, vehicle));
}

} // namespace kv::records
