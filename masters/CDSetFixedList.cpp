#include "masters/CDSetFixedList.h"

#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

CDSetFixedList::CDSetFixedList(data::SettingsStore& settings, const FixedListKind& kind,
                               QWidget* parent)
    : QDialog(parent)
    , m_editor(settings, kind)
{
    setWindowTitle(QString::fromUtf8(kind.title));
    QList<TypedListModel<Slot>::Column> columns;
    if (kind.numbered)
        columns.append({QStringLiteral("No"), 36, Qt::AlignRight,
                        [](const Slot& slot) { return QString::asprintf("%2d", slot.index); }});
    columns.append({QString::fromUtf8(kind.columnCaption), kind.numbered ? 240 : 160,
                    Qt::AlignLeft, &Slot::text});
    m_slots = new TypedListModel<Slot>(
        std::move(columns), [](const Slot& slot) { return slot.index; }, this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_slots);
    m_list->header()->setStretchLastSection(true);
    QPalette cream = m_list->palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    m_list->setPalette(cream);
    m_text = new CEditEx(this);
    m_text->setInputMode(CEditEx::InputMode::Japanese);
    m_text->setByteLimit(m_editor.textBytes());
    m_record = new QPushButton(QStringLiteral("記録(&Z)"), this);
    auto* close = new QPushButton(QStringLiteral("中止(Esc)"), this);
    m_record->setAutoDefault(false);
    close->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    if (kind.fixedCaption)
        layout->addWidget(new QLabel(QString::fromUtf8(kind.fixedCaption), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(m_text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(kind.numbered ? 380 : 260, 480);

    // Another computer may have changed the file since it was read.
    m_editor.load();
    std::vector<Slot> entries;
    for (int slot = kind.first; slot <= kind.last; ++slot)
        entries.push_back({slot, m_editor.slotText(slot)});
    m_syncing = true;
    m_slots->replaceAll(std::move(entries));
    m_syncing = false;

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_syncing)
            onRowSelected(m_list->currentRow());
    });
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_list->selectRow(0);
    m_text->setFocus(Qt::OtherFocusReason);
}

void CDSetFixedList::onRowSelected(int row)
{
    if (row < 0)
        return;
    m_text->setText(m_editor.slotText(slotOfRow(row)));
}

void CDSetFixedList::onRecord()
{
    if (!m_text->checkField())
        return;
    const int row = m_list->currentRow();
    const int slot = row < 0 ? -1 : slotOfRow(row);
    if (!m_editor.store(slot, m_text->text()))
        return;
    m_slots->updateRow(row, {slot, m_editor.slotText(slot)});
}

void CDSetFixedList::showSlot(int slot)
{
    if (slot < kind().first || slot > kind().last)
        return;
    m_syncing = true;
    m_slots->updateRow(rowOfSlot(slot), {slot, m_editor.slotText(slot)});
    m_syncing = false;
}

CDSetFixedList* CDSetFixedList::openFor(const QString& announceKind)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<CDSetFixedList*>(window);
        if (dialog && dialog->isVisible()
            && QString::fromUtf8(dialog->kind().announceKind) == announceKind)
            return dialog;
    }
    return nullptr;
}

CDSetRikuji::CDSetRikuji(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::transportOffices(), parent)
{
}
CDSetSyamei::CDSetSyamei(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::makes(), parent)
{
}
CDSetSyubetu::CDSetSyubetu(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::vehicleClasses(), parent)
{
}
CDSetYouto::CDSetYouto(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::vehicleUses(), parent)
{
}
CDSetNenryo::CDSetNenryo(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::fuels(), parent)
{
}
CDSetKeijyo::CDSetKeijyo(data::SettingsStore& settings, QWidget* parent)
    : CDSetFixedList(settings, FixedListKind::bodyShapes(), parent)
{
}

} // namespace kv::masters
