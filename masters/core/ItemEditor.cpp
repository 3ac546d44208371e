#include "masters/core/ItemEditor.h"

#include "common/Cp932.h"
#include "common/MessageGateway.h"
#include "data/service/RecordCounters.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/core/ItemRules.h"
#include "masters/core/ItemStore.h"
#include "masters/core/KanaIndex.h"

namespace kv::masters {

using Counter = kv::data::RecordCounters;

ItemEditor::ItemEditor(ItemStore& store, const kv::data::CategoryNames& categories,
                       kv::lan::ChangeAnnouncer& announcer)
    : m_store(store)
    , m_categories(categories)
    , m_announcer(announcer)
    // The dialog goes whatever becomes of the release: the code is given
    // up here even when the store could not give up its lock.
    , m_lock([&store](int code) { return store.claimLock(code); },
             [&store] {
                 store.releaseLock();
                 return true;
             })
{
}

ItemEditor::~ItemEditor()
{
    close();
}

bool ItemEditor::open(ItemOrder order)
{
    m_open = true;
    m_rows.setOrder(order);
    const auto items = m_store.readAll();
    if (items)
        m_rows.assign(*items);
    changedRows();
    m_selected = -1;
    refreshCount();
    clearInput();
    return items.has_value();
}

void ItemEditor::close()
{
    if (!m_open)
        return;
    m_open = false;
    dropOwnPlaceholder();
    m_lock.release();
    m_store.resetItemView();
}

QString ItemEditor::countLabel() const
{
    return QStringLiteral("%1/%2件").arg(m_count, 4).arg(ItemRules::kMaxItems, 4);
}

ItemField ItemEditor::takeFocusRequest()
{
    return std::exchange(m_focus, ItemField::None);
}

void ItemEditor::dropOwnPlaceholder()
{
    if (m_ownPlaceholder == 0)
        return;
    // Only a placeholder is ours to drop: another window may have recorded
    // the code as a real item in the meantime.
    const auto item = m_store.find(m_ownPlaceholder);
    if (item && item->isPlaceholder())
        m_store.remove(m_ownPlaceholder);
    m_ownPlaceholder = 0;
}

void ItemEditor::load(const ItemRecord& item)
{
    m_fields.code = QString::number(item.code);
    m_fields.text = item.text;
    m_fields.reading = item.reading;
    m_fields.category = ItemRules::categoryName(item.category, m_categories);
    m_fields.price = ItemRules::formatPrice(item.price);
    m_code = item.code;
    m_modify = true;
}

void ItemEditor::refreshCount()
{
    const int count = m_store.counter(Counter::Read);
    m_count = count < 0 ? 0 : count;
}

FieldOutcome ItemEditor::leaveCode(const QString& text)
{
    if (!m_open)
        return FieldOutcome::accepted(text);
    const auto code = ItemRules::parseCode(text);
    if (!code)
        return FieldOutcome::refused(ItemRules::codeMessage(), text);

    if (*code == 0) {
        dropOwnPlaceholder();
        const int reserved = m_store.reserveCode();
        if (reserved == 0) {
            m_code = 0;
            m_fields.code = QStringLiteral("0");
            return FieldOutcome::accepted(m_fields.code);
        }
        m_ownPlaceholder = reserved;
        if (!m_lock.claim(reserved)) {
            // Another computer is just typing this code as a new one.
            dropOwnPlaceholder();
            m_code = 0;
            return FieldOutcome::refused(ItemRules::lockedMessage(), QStringLiteral("0"));
        }
        m_code = reserved;
        m_modify = false;
        m_selected = -1;
        m_fields.code = QString::number(reserved);
        return FieldOutcome::accepted(m_fields.code);
    }

    // Leaving the field again on the item already loaded keeps the edits.
    if (m_modify && *code == m_code && m_lock.code() == *code)
        return FieldOutcome::accepted(QString::number(*code));

    if (!m_lock.claim(*code)) {
        m_code = 0;
        m_modify = false;
        m_fields.code = QStringLiteral("0");
        return FieldOutcome::refused(ItemRules::lockedMessage(), m_fields.code);
    }
    m_fields.code = QString::number(*code);
    if (*code == m_ownPlaceholder) {
        m_code = *code;
        m_modify = false;
        return FieldOutcome::accepted(m_fields.code);
    }

    const auto item = m_store.find(*code);
    if (item && item->isPlaceholder() && m_store.networkInUse()) {
        // Held by another computer's new record.
        m_lock.release();
        m_code = 0;
        m_modify = false;
        m_fields.code = QStringLiteral("0");
        return FieldOutcome::refused(ItemRules::lockedMessage(), m_fields.code);
    }
    if (item) {
        // A placeholder left behind on a stand-alone computer is loaded
        // too, so that it can be recorded or deleted.
        load(*item);
        if (!item->isPlaceholder()) {
            int row = m_rows.indexOf(*code);
            if (row < 0) {
                row = m_rows.upsert(item->row());
                changedRows();
            }
            m_selected = row;
        }
        dropOwnPlaceholder();
        return FieldOutcome::accepted(m_fields.code);
    }

    dropOwnPlaceholder();
    m_modify = false;
    m_selected = -1;
    ItemRecord placeholder;
    placeholder.code = *code;
    placeholder.text = ItemRules::placeholderText();
    if (!m_store.checkDiskSpaceForWrite() || !m_store.write(placeholder)) {
        m_lock.release();
        m_code = 0;
        return {FieldOutcome::FocusBack, m_fields.code, {}};
    }
    m_ownPlaceholder = *code;
    m_code = *code;
    return FieldOutcome::accepted(m_fields.code);
}

FieldOutcome ItemEditor::leaveCategory(const QString& text)
{
    const auto category = ItemRules::resolveCategory(text, m_categories);
    if (!category) {
        m_fields.category.clear();
        return FieldOutcome::refused(ItemRules::categoryMessage(), QString());
    }
    m_fields.category = category->text;
    return FieldOutcome::accepted(category->text);
}

FieldOutcome ItemEditor::leavePrice(const QString& text)
{
    const auto price = ItemRules::parsePrice(text);
    if (!price) {
        m_fields.price = QStringLiteral("0");
        return FieldOutcome::refused(ItemRules::priceMessage(), m_fields.price);
    }
    m_fields.price = ItemRules::formatPrice(*price);
    return FieldOutcome::accepted(m_fields.price);
}

void ItemEditor::selectRow(int index)
{
    if (!m_open || index < 0 || index >= m_rows.size())
        return;
    const ItemRow row = m_rows.at(index);
    m_selected = index;
    if (!m_lock.claim(row.code)) {
        m_fields = {QString::number(row.code), {}, {}, {}, QStringLiteral("0")};
        m_code = 0;
        m_modify = false;
        requestFocus(ItemField::Code);
        return;
    }
    const auto item = m_store.find(row.code);
    if (!item || item->isPlaceholder()) {
        m_rows.remove(row.code);
        changedRows();
        m_selected = -1;
        refreshCount();
        clearInput();
        return;
    }
    if (item->row() != row) {
        m_selected = m_rows.upsert(item->row());
        changedRows();
    }
    load(*item);
    if (m_ownPlaceholder != row.code)
        dropOwnPlaceholder();
}

bool ItemEditor::record()
{
    if (!m_open)
        return false;
    const QString text = kv::cp932::truncateToBytes(m_fields.text, ItemRules::kTextBytes);
    if (text.isEmpty()) {
        kv::showMessage(ItemRules::textMissingMessage());
        requestFocus(ItemField::Text);
        return false;
    }
    // One byte: a double-byte kana cannot stand for the reading's letter.
    const QString reading = kv::cp932::truncateToBytes(m_fields.reading, ItemRules::kReadingBytes);
    if (reading.isEmpty()) {
        kv::showMessage(ItemRules::readingMissingMessage());
        requestFocus(ItemField::Reading);
        return false;
    }
    const auto category = ItemRules::resolveCategory(m_fields.category, m_categories);
    if (!category) {
        m_fields.category.clear();
        kv::showMessage(ItemRules::categoryMessage());
        requestFocus(ItemField::Category);
        return false;
    }
    const auto price = ItemRules::parsePrice(m_fields.price);
    if (!price) {
        m_fields.price = QStringLiteral("0");
        kv::showMessage(ItemRules::priceMessage());
        requestFocus(ItemField::Price);
        return false;
    }
    m_fields.category = category->text;
    m_fields.price = ItemRules::formatPrice(*price);

    const auto existing = m_code > 0 ? m_store.find(m_code) : std::nullopt;
    if (!existing && !m_modify) {
        int count = m_store.counter(Counter::Read);
        if (count < 0)
            count = m_store.count();
        if (count >= ItemRules::kMaxItems) {
            kv::showMessage(ItemRules::tableFullMessage());
            return false;
        }
    }
    if (m_code < 1 || m_code > ItemRules::kMaxCode) {
        kv::showMessage(ItemRules::codeMessage());
        requestFocus(ItemField::Code);
        return false;
    }

    const ItemRecord item{m_code, text, reading, category->index, *price};
    if (!m_store.write(item))
        return false;
    // The counter counts real items: it rises whenever a code becomes one,
    // whether from this dialog's placeholder, a leftover one, or afresh.
    if (!existing || existing->isPlaceholder())
        m_store.counter(Counter::Increment);
    if (m_ownPlaceholder == m_code)
        m_ownPlaceholder = 0;
    refreshCount();

    m_selected = m_rows.upsert(item.row());
    changedRows();
    m_modify = true;

    const bool sent = m_announcer.announceUpdate(
        ItemRules::kindTitle(), {QString::number(item.code), item.text, item.reading});
    if (sent)
        clearInput();
    return true;
}

bool ItemEditor::deleteSelected()
{
    if (!m_open || m_rows.isEmpty() || m_selected < 0 || m_selected >= m_rows.size())
        return false;
    const int code = m_rows.at(m_selected).code;
    if (!m_lock.claim(code)) {
        kv::showMessage(ItemRules::lockedMessage());
        clearInput();
        return false;
    }
    if (!kv::askYesNo(ItemRules::deleteQuestion(), true)) {
        clearInput();
        return false;
    }
    dropOwnPlaceholder();
    const auto item = m_store.find(code);
    if (item && !m_store.remove(code))
        return false;
    m_rows.remove(code);
    changedRows();
    m_selected = -1;
    if (item && !item->isPlaceholder())
        m_store.counter(Counter::Decrement);
    refreshCount();
    clearInput();
    m_announcer.announceDelete(ItemRules::kindTitle(), {QString::number(code)});
    return true;
}

void ItemEditor::clearInput()
{
    if (!m_open)
        return;
    m_lock.release();
    m_modify = false;
    m_selected = -1;
    dropOwnPlaceholder();
    const int reserved = m_store.reserveCode();
    m_ownPlaceholder = reserved;
    m_code = reserved;
    if (reserved != 0 && !m_lock.claim(reserved)) {
        dropOwnPlaceholder();
        m_code = 0;
    }
    m_fields = {QString::number(m_code), {}, {}, {}, QStringLiteral("0")};
    requestFocus(ItemField::Code);
}

void ItemEditor::setOrder(ItemOrder order)
{
    if (m_rows.order() == order)
        return;
    const int selectedCode = m_selected >= 0 ? m_rows.at(m_selected).code : 0;
    m_rows.setOrder(order);
    changedRows();
    if (selectedCode != 0)
        m_selected = m_rows.indexOf(selectedCode);
}

int ItemEditor::jumpToKana(int button)
{
    const int row = KanaIndex::rowFor(button, m_rows.rows());
    if (row >= 0)
        selectRow(row);
    requestFocus(ItemField::List);
    return row;
}

void ItemEditor::requery()
{
    // The re-read lets later look-ups see the other computer's rows.
    m_store.readAll();
}

void ItemEditor::applyRemoteUpdate(int code, const QString& text, const QString& reading)
{
    requery();
    const int selectedCode = m_selected >= 0 ? m_rows.at(m_selected).code : 0;
    // A comma in the text splits it over the message's fields: the shared
    // table has it whole.
    const std::optional<ItemRecord> stored = m_store.find(code);
    m_rows.upsert(stored && !stored->isPlaceholder() ? stored->row() : ItemRow{code, text, reading});
    changedRows();
    if (selectedCode != 0)
        m_selected = m_rows.indexOf(selectedCode);
    refreshCount();
}

void ItemEditor::applyRemoteDelete(int code)
{
    requery();
    const int selectedCode = m_selected >= 0 ? m_rows.at(m_selected).code : 0;
    if (m_rows.remove(code) < 0)
        return;
    changedRows();
    m_selected = selectedCode != 0 ? m_rows.indexOf(selectedCode) : -1;
    refreshCount();
}

} // namespace kv::masters
