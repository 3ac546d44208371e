#include "ledger/ui/LedgerListModel.h"

#include <QSettings>

#include <algorithm>
#include <iterator>

namespace kv::ledger {

namespace {

struct ColumnLook {
    const char* caption;
    const char* widthEntry;
    int width;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// In LedgerColumn order.
const ColumnLook kLooks[] = {
    {"    日  付", "DateWidth", 80, Qt::AlignCenter},
    {"発生伝番", "DenNoWidth", 60, Qt::AlignCenter},
    {"入庫区分（↑↓）", "NyuKbnWidth", 102, kLeft},
    {"部 品", "BuhinWidth", 54, kRight},
    {"工 賃", "KoutinWidth", 54, kRight},
    {"その他", "SonotaWidth", 54, kRight},
    {"消費税", "ZeiWidth", 54, kRight},
    {"諸費計", "SyoTotWidth", 54, kRight},
    {"合 計", "TotWidth", 54, kRight},
    {"入金計", "NyuTotWidth", 54, kRight},
    {"差引計", "GTotWidth", 54, kRight},
    {"残 高", "ZanWidth", 54, kRight},
    {"摘 要", "TekiyoWidth", 200, kLeft},
};
static_assert(std::size(kLooks) == size_t(LedgerColumn::Count));

QList<TypedListModel<LedgerLine>::Column> columnsOf(QSettings* profile, int amountWidth)
{
    QList<TypedListModel<LedgerLine>::Column> columns;
    for (int i = 0; i < int(LedgerColumn::Count); ++i) {
        const ColumnLook& look = kLooks[i];
        const int fitting = look.alignment == kRight ? std::max(look.width, amountWidth) : look.width;
        const int width = profile ? profile->value(LedgerListModel::widthKey(i), fitting).toInt()
                                  : fitting;
        const auto column = LedgerColumn(i);
        columns.append({QString::fromUtf8(look.caption), width, look.alignment,
                        [column](const LedgerLine& line) { return line.text(column); }});
    }
    return columns;
}

} // namespace

LedgerListModel::LedgerListModel(QSettings* profile, int amountWidth, QObject* parent)
    : TypedListModel<LedgerLine>(columnsOf(profile, amountWidth), [](const LedgerLine& line) { return line.id; },
                                 parent)
{
}

QString LedgerListModel::widthKey(int column)
{
    if (column < 0 || column >= int(LedgerColumn::Count))
        return {};
    return QStringLiteral("Moto/") + QLatin1String(kLooks[column].widthEntry);
}

void LedgerListModel::show(const LedgerRows& rows)
{
    replaceAll(rows.lines());
}

} // namespace kv::ledger
