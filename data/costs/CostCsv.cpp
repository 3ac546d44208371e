#include "data/costs/CostCsv.h"

#include "common/Cp932.h"

#include <QStringDecoder>
#include <QStringList>

namespace kv::data {

namespace {

enum Column { Table, From, Area, Path, Class, Months, Weight, Age, Eco, Years, Amount, kColumns };

QString decoded(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return cp932::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString unquoted(QString field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"'))
        field = field.mid(1, field.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return field.trimmed();
}

// An empty field reads as 0.
bool number(const QString& text, int* value)
{
    if (text.isEmpty()) {
        *value = 0;
        return true;
    }
    QString digits = text;
    digits.remove(u',');
    bool ok = false;
    *value = digits.toInt(&ok);
    return ok;
}

QString parseLine(const QStringList& f, CostRow* row)
{
    if (f.size() != kColumns)
        return QStringLiteral("項目の数が%1ではありません").arg(int(kColumns));
    if (!CostNames::tableOf(f[Table], &row->table))
        return QStringLiteral("表「%1」は不明です").arg(f[Table]);
    row->from = QDate::fromString(QString(f[From]).replace(u'/', u'-'), Qt::ISODate);
    if (!row->from.isValid())
        return QStringLiteral("適用開始日「%1」が異常です").arg(f[From]);
    if (!CostNames::classOf(f[Class], &row->vehicleClass))
        return QStringLiteral("区分「%1」は不明です").arg(f[Class]);
    if (row->table == CostTable::Insurance && !CostNames::areaOf(f[Area], &row->area))
        return QStringLiteral("地域「%1」は不明です").arg(f[Area]);
    if (row->table == CostTable::InspectionFee && !CostNames::pathOf(f[Path], &row->path))
        return QStringLiteral("検査経路「%1」は不明です").arg(f[Path]);
    int eco = 0;
    if (!number(f[Months], &row->months) || !number(f[Weight], &row->weightUpTo)
        || !number(f[Age], &row->age) || !number(f[Eco], &eco) || !number(f[Years], &row->years)
        || !number(f[Amount], &row->amount) || f[Amount].isEmpty())
        return QStringLiteral("数値が異常です");
    row->eco = eco != 0;
    if (row->table != CostTable::WeightTax) {
        row->weightUpTo = row->age = 0;
        row->eco = false;
        row->years = 2;
    }
    return {};
}

} // namespace

QString CostCsv::heading()
{
    return QStringLiteral("表,適用開始日,地域,検査経路,区分,月数,重量上限,経年,エコ,年数,金額");
}

CostCsv::Result CostCsv::read(const QByteArray& bytes)
{
    Result result;
    const QStringList lines = decoded(bytes).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || (i == 0 && line.startsWith(heading().left(2))))
            continue;
        QStringList fields;
        for (const QString& field : line.split(u','))
            fields << unquoted(field);
        CostRow row;
        QString why = parseLine(fields, &row);
        if (why.isEmpty())
            why = CostRules::checkRow(row);
        if (!why.isEmpty()) {
            result.rows.clear();
            result.refusal = QStringLiteral("%1行目: %2！").arg(i + 1).arg(why);
            return result;
        }
        result.rows.push_back(row);
    }
    result.refusal = CostRules::checkTogether(result.rows);
    if (!result.refusal.isEmpty())
        result.rows.clear();
    return result;
}

QByteArray CostCsv::write(const std::vector<CostRow>& rows)
{
    QString text = heading() + u'\n';
    for (const CostRow& r : rows) {
        const bool tax = r.table == CostTable::WeightTax;
        QStringList f(kColumns);
        f[Table] = CostNames::table(r.table);
        f[From] = r.from.toString(Qt::ISODate);
        if (r.table == CostTable::Insurance) {
            f[Area] = CostNames::area(r.area);
            f[Months] = QString::number(r.months);
        }
        if (r.table == CostTable::InspectionFee)
            f[Path] = CostNames::path(r.path);
        f[Class] = CostNames::vehicleClass(r.vehicleClass);
        if (tax) {
            f[Weight] = QString::number(r.weightUpTo);
            f[Age] = QString::number(r.age);
            f[Eco] = r.eco ? QStringLiteral("1") : QStringLiteral("0");
            f[Years] = QString::number(r.years);
        }
        f[Amount] = QString::number(r.amount);
        text += f.join(u',') + u'\n';
    }
    return text.toUtf8();
}

namespace CostRules {

QString checkRow(const CostRow& r)
{
    if (CostNames::table(r.table).isEmpty())
        return QStringLiteral("表が不明です");
    if (!r.from.isValid())
        return QStringLiteral("適用開始日が異常です");
    if (CostNames::vehicleClass(r.vehicleClass).isEmpty())
        return QStringLiteral("区分が不明です");
    if (r.amount < 0)
        return QStringLiteral("金額に負の値は入力できません");
    if (r.amount > 9999999)
        return QStringLiteral("金額は0から9,999,999迄です");
    switch (r.table) {
    case CostTable::Insurance:
        if (CostNames::area(r.area).isEmpty())
            return QStringLiteral("地域が不明です");
        if (r.months < 1 || r.months > 60)
            return QStringLiteral("月数は1から60迄です");
        break;
    case CostTable::WeightTax:
        if (r.years != 1 && r.years != 2)
            return QStringLiteral("年数は1か2です");
        if (r.weightUpTo < 0 || r.weightUpTo > 999999)
            return QStringLiteral("重量上限が異常です");
        if (r.age != 0 && r.age != 13 && r.age != 18)
            return QStringLiteral("経年は0、13、18のどれかです");
        if (r.eco && r.age != 0)
            return QStringLiteral("エコの行の経年は0です");
        break;
    case CostTable::InspectionFee:
        if (CostNames::path(r.path).isEmpty())
            return QStringLiteral("検査経路が不明です");
        break;
    }
    return {};
}

QString checkTogether(const std::vector<CostRow>& rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[i].from == rows[j].from && rows[i].sameKey(rows[j]))
                return QStringLiteral("%1 %2 %3 の期間が重複しています！")
                    .arg(CostNames::table(rows[i].table),
                         CostNames::vehicleClass(rows[i].vehicleClass),
                         rows[i].from.toString(QStringLiteral("yyyy/MM/dd")));
        }
    }
    return {};
}

} // namespace CostRules
} // namespace kv::data
