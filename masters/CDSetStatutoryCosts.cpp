#include "masters/CDSetStatutoryCosts.h"

#include "common/MessageGateway.h"
#include "controls/CListCtrlEx.h"
#include "controls/FileChooser.h"
#include "controls/TypedListModel.h"
#include "data/costs/CostCsv.h"
#include "lan/core/ChangeAnnouncer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

namespace {
using data::CostRow;
using data::CostTable;

QString number(int value)
{
    return QLocale(QLocale::Japanese).toString(value);
}

// The key of a row as the list shows it: area or path, then its steps.
QString keyText(const CostRow& r)
{
    switch (r.table) {
    case CostTable::Insurance: return data::CostNames::area(r.area) + QStringLiteral(" %1ヶ月").arg(r.months);
    case CostTable::WeightTax: {
        QString text = r.weightUpTo ? QStringLiteral("～%1kg").arg(r.weightUpTo) : QStringLiteral("定額");
        text += r.eco ? QStringLiteral(" エコ") : QStringLiteral(" %1年～").arg(r.age);
        return text + QStringLiteral(" %1年車検").arg(r.years);
    }
    case CostTable::InspectionFee: return data::CostNames::path(r.path);
    }
    return {};
}

template <typename E>
void fillCombo(QComboBox* combo, std::initializer_list<E> values, QString (*name)(E))
{
    for (E v : values)
        combo->addItem(name(v), int(v));
}
} // namespace

QString CDSetStatutoryCosts::updateKind()
{
    return QStringLiteral("諸費用");
}

CDSetStatutoryCosts::CDSetStatutoryCosts(data::Connection& mainConnection, QWidget* parent)
    : QDialog(parent)
    , m_store(mainConnection)
{
    setWindowTitle(QStringLiteral("諸費用の表"));
    using TL = TypedListModel<CostRow>;
    m_rows = new TL(
        {{QStringLiteral("表"), 80, Qt::AlignLeft, [](const CostRow& r) { return data::CostNames::table(r.table); }},
         {QStringLiteral("適用開始日"), 90, Qt::AlignLeft,
          [](const CostRow& r) { return r.from.toString(QStringLiteral("yyyy/MM/dd")); }},
         {QStringLiteral("区分"), 70, Qt::AlignLeft,
          [](const CostRow& r) { return data::CostNames::vehicleClass(r.vehicleClass); }},
         {QStringLiteral("条件"), 170, Qt::AlignLeft, &keyText},
         {QStringLiteral("金額"), 80, Qt::AlignRight, [](const CostRow& r) { return number(r.amount); }}},
        [](const CostRow& r) { return r.id; }, this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);

    using namespace data;
    m_area = new QComboBox(this);
    fillCombo(m_area, {CostArea::Mainland, CostArea::Islands, CostArea::Okinawa, CostArea::OkinawaIslands},
              &CostNames::area);
    m_path = new QComboBox(this);
    fillCombo(m_path, {InspectionPath::Designated, InspectionPath::BroughtIn}, &CostNames::path);
    m_table = new QComboBox(this);
    fillCombo(m_table, {CostTable::Insurance, CostTable::WeightTax, CostTable::InspectionFee},
              &CostNames::table);
    m_class = new QComboBox(this);
    fillCombo(m_class, {CostClass::Normal, CostClass::Small, CostClass::Kei, CostClass::Motorcycle},
              &CostNames::vehicleClass);
    m_rowArea = new QComboBox(this);
    fillCombo(m_rowArea, {CostArea::Mainland, CostArea::Islands, CostArea::Okinawa, CostArea::OkinawaIslands},
              &CostNames::area);
    m_rowPath = new QComboBox(this);
    fillCombo(m_rowPath, {InspectionPath::Designated, InspectionPath::BroughtIn}, &CostNames::path);
    m_from = new QLineEdit(this);
    m_from->setPlaceholderText(QStringLiteral("2026/04/01"));
    m_months = new QLineEdit(this);
    m_weight = new QLineEdit(this);
    m_age = new QLineEdit(this);
    m_eco = new QCheckBox(QStringLiteral("エコカー（本則）"), this);
    m_years = new QLineEdit(QStringLiteral("2"), this);
    m_amount = new QLineEdit(this);
    m_add = new QPushButton(QStringLiteral("追加(&A)"), this);
    m_change = new QPushButton(QStringLiteral("修正(&M)"), this);
    m_import = new QPushButton(QStringLiteral("CSV取込(&I)..."), this);
    auto* close = new QPushButton(QStringLiteral("終了(Esc)"), this);
    for (QPushButton* b : {m_add, m_change, m_import, close})
        b->setAutoDefault(false);

    auto* shop = new QHBoxLayout;
    shop->addWidget(new QLabel(QStringLiteral("自社の地域")));
    shop->addWidget(m_area);
    shop->addWidget(new QLabel(QStringLiteral("検査の経路")));
    shop->addWidget(m_path);
    shop->addStretch(1);
    auto* fields = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {"表", m_table},         {"適用開始日", m_from}, {"区分", m_class},
        {"地域", m_rowArea},     {"検査経路", m_rowPath}, {"月数", m_months},
        {"重量上限(kg)", m_weight}, {"経年", m_age},     {"", m_eco},
        {"年数", m_years},       {"金額", m_amount}};
    int line = 0;
    for (const auto& [caption, widget] : rows) {
        fields->addWidget(new QLabel(QString::fromUtf8(caption)), line, 0);
        fields->addWidget(widget, line++, 1);
    }
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_change, m_import, close})
        buttons->addWidget(b);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addLayout(buttons);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 3);
    body->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(shop);
    layout->addLayout(body);
    resize(860, 520);

    if (const auto settings = m_store.settings()) {
        m_area->setCurrentIndex(m_area->findData(int(settings->area)));
        m_path->setCurrentIndex(m_path->findData(int(settings->path)));
    }
    connect(m_area, &QComboBox::activated, this, [this] { writeSettings(); });
    connect(m_path, &QComboBox::activated, this, [this] { writeSettings(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { onRowSelected(index.row()); });
    connect(m_add, &QPushButton::clicked, this, [this] { record(0); });
    connect(m_change, &QPushButton::clicked, this, [this] {
        if (m_chosen == 0)
            showMessage(QStringLiteral("修正する行を選択して下さい！"));
        else
            record(m_chosen);
    });
    connect(m_import, &QPushButton::clicked, this, [this] { importCsv(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    fillList();
}

void CDSetStatutoryCosts::fillList()
{
    const auto rows = m_store.rows();
    if (!rows)
        showMessage(m_store.lastMessage());
    m_rows->replaceAll(rows.value_or(std::vector<CostRow>{}));
    m_chosen = 0;
}

void CDSetStatutoryCosts::onRowSelected(int row)
{
    if (row < 0 || row >= m_rows->rowCount())
        return;
    const CostRow& r = m_rows->at(row);
    m_chosen = r.id;
    m_table->setCurrentIndex(m_table->findData(int(r.table)));
    m_class->setCurrentIndex(m_class->findData(int(r.vehicleClass)));
    m_rowArea->setCurrentIndex(m_rowArea->findData(int(r.area)));
    m_rowPath->setCurrentIndex(m_rowPath->findData(int(r.path)));
    m_from->setText(r.from.toString(QStringLiteral("yyyy/MM/dd")));
    m_months->setText(QString::number(r.months));
    m_weight->setText(QString::number(r.weightUpTo));
    m_age->setText(QString::number(r.age));
    m_eco->setChecked(r.eco);
    m_years->setText(QString::number(r.years));
    m_amount->setText(QString::number(r.amount));
}

std::optional<CostRow> CDSetStatutoryCosts::rowOfFields(int id)
{
    CostRow r;
    r.id = id;
    r.table = CostTable(m_table->currentData().toInt());
    r.vehicleClass = data::CostClass(m_class->currentData().toInt());
    r.area = data::CostArea(m_rowArea->currentData().toInt());
    r.path = data::InspectionPath(m_rowPath->currentData().toInt());
    r.from = QDate::fromString(m_from->text().trimmed().replace(u'-', u'/'), QStringLiteral("yyyy/MM/dd"));
    if (!r.from.isValid()) {
        showMessage(QStringLiteral("適用開始日が異常です！"));
        m_from->setFocus();
        return std::nullopt;
    }
    const std::pair<QLineEdit*, int*> numbers[] = {
        {m_months, &r.months}, {m_weight, &r.weightUpTo}, {m_age, &r.age}, {m_years, &r.years},
        {m_amount, &r.amount}};
    for (const auto& [edit, value] : numbers) {
        QString text = edit->text().trimmed();
        text.remove(u',');
        bool ok = true;
        *value = text.isEmpty() && edit != m_amount ? 0 : text.toInt(&ok);
        if (!ok) {
            showMessage(QStringLiteral("整数を入力して下さい！"));
            edit->setFocus();
            edit->selectAll();
            return std::nullopt;
        }
    }
    r.eco = m_eco->isChecked();
    if (r.table != CostTable::WeightTax) {
        r.weightUpTo = r.age = 0;
        r.eco = false;
        r.years = 2;
    }
    if (r.table != CostTable::Insurance) {
        r.months = 0;
        r.area = data::CostArea::Mainland;
    }
    if (r.table != CostTable::InspectionFee)
        r.path = data::InspectionPath::Designated;
    return r;
}

void CDSetStatutoryCosts::record(int id)
{
    const std::optional<CostRow> row = rowOfFields(id);
    if (!row)
        return;
    if (const QString refused = m_store.write(*row); !refused.isEmpty()) {
        showMessage(refused);
        return;
    }
    changed();
}

void CDSetStatutoryCosts::importCsv()
{
    const QString path = fileChooser().openFile(this, QStringLiteral("諸費用の表の取込"), QString(),
                                                QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(QStringLiteral("%1 を開けません！").arg(path));
        return;
    }
    const data::CostCsv::Result read = data::CostCsv::read(file.readAll());
    QString refused = read.refusal;
    if (refused.isEmpty() && read.rows.empty())
        refused = QStringLiteral("取り込む行がありません！");
    if (refused.isEmpty())
        refused = m_store.import(read.rows);
    if (!refused.isEmpty()) {
        showMessage(refused);
        return;
    }
    changed();
    showMessage(QStringLiteral("%1行を取り込みました").arg(read.rows.size()));
}

void CDSetStatutoryCosts::writeSettings()
{
    const data::CostSettings settings{data::CostArea(m_area->currentData().toInt()),
                                      data::InspectionPath(m_path->currentData().toInt())};
    if (const QString refused = m_store.writeSettings(settings); !refused.isEmpty()) {
        showMessage(refused);
        return;
    }
    lan::changeAnnouncer().announceUpdate(updateKind());
}

void CDSetStatutoryCosts::changed()
{
    fillList();
    lan::changeAnnouncer().announceUpdate(updateKind());
}

} // namespace kv::masters
