#include "masters/core/SetEditor.h"

#include "common/MessageGateway.h"
#include "data/service/RecordCounters.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/core/SetRules.h"

namespace kv::masters {

using Counter = kv::data::RecordCounters;

SetEditor::SetEditor(SetStore& store, kv::lan::ChangeAnnouncer& announcer)
    : m_store(store)
    , m_announcer(announcer)
    // A release that fails keeps the lock: the window says so and stays.
    , m_lock([&store](int code) { return store.claimLock(code); },
             [&store] { return store.releaseLock(); })
{
}

SetEditor::~SetEditor()
{
    if (m_open) {
        dropOwnPlaceholder();
        m_lock.release();
    }
}

void SetEditor::open()
{
    m_open = true;
    refreshCount();
    reserveNew();
    requestFocus(SetField::Code);
}

bool SetEditor::close(ItemOrder listOrder)
{
    if (!m_open)
        return true;
    dropOwnPlaceholder();
    if (!m_lock.release()) {
        kv::showMessage(SetRules::releaseFailedMessage());
        return false;
    }
    m_open = false;
    m_store.resetHeaderView(listOrder);
    return true;
}

QString SetEditor::countLabel() const
{
    return SetRules::countLabel(m_count);
}

SetField SetEditor::takeFocusRequest()
{
    return std::exchange(m_focus, SetField::None);
}

void SetEditor::refreshCount()
{
    const int count = m_store.counter(Counter::Read);
    m_count = count < 0 ? 0 : count;
}

void SetEditor::dropOwnPlaceholder()
{
    if (m_ownPlaceholder == 0)
        return;
    m_store.removePlaceholder(m_ownPlaceholder);
    m_ownPlaceholder = 0;
}

void SetEditor::reserveNew()
{
    m_state = SetState::New;
    dropOwnPlaceholder();
    const int reserved = m_store.reserveCode();
    m_ownPlaceholder = reserved;
    m_code = reserved;
    if (reserved != 0 && !m_lock.claim(reserved)) {
        // Another computer is typing this code as a new one just now.
        dropOwnPlaceholder();
        m_code = 0;
    }
}

void SetEditor::load(const SetHeader& header)
{
    m_code = header.code;
    name = header.isPlaceholder() ? QString() : header.name;
    reading = header.reading;
    m_state = SetState::Modify;
}

FieldOutcome SetEditor::leaveCode(const QString& text, std::optional<Lines>* loaded)
{
    loaded->reset();
    if (!m_open)
        return FieldOutcome::accepted(text);
    const auto code = SetRules::parseCode(text);
    if (!code) {
        // Nothing is recorded under a code whose lock is given up.
        m_lock.release();
        m_code = 0;
        return FieldOutcome::refused(SetRules::codeMessage(), text);
    }

    if (*code == 0) {
        reserveNew();
        return FieldOutcome::accepted(codeText());
    }
    // Leaving the field again on the set already shown keeps the edits.
    if (*code == m_code && m_lock.code() == *code)
        return FieldOutcome::accepted(codeText());

    if (!m_lock.claim(*code)) {
        m_code = 0;
        m_state = SetState::New;
        return FieldOutcome::refused(SetRules::codeLockedMessage(), QStringLiteral("0"));
    }
    if (*code == m_ownPlaceholder) {
        m_code = *code;
        m_state = SetState::New;
        return FieldOutcome::accepted(codeText());
    }

    const auto header = m_store.findHeader(*code);
    if (header && header->isPlaceholder() && m_store.networkInUse()) {
        m_lock.release();
        m_code = 0;
        m_state = SetState::New;
        return FieldOutcome::refused(SetRules::placeholderLockedMessage(), QStringLiteral("0"));
    }
    if (header) {
        const auto lines = m_store.readLines(*code);
        load(*header);
        dropOwnPlaceholder();
        *loaded = lines ? *lines : Lines{};
        return FieldOutcome::accepted(codeText());
    }

    dropOwnPlaceholder();
    m_state = SetState::New;
    if (!m_store.checkDiskSpaceForWrite() || !m_store.writePlaceholder(*code)) {
        m_lock.release();
        m_code = 0;
        return {FieldOutcome::FocusBack, QString::number(*code), {}};
    }
    m_ownPlaceholder = *code;
    m_code = *code;
    return FieldOutcome::accepted(codeText());
}

bool SetEditor::newSet()
{
    if (!m_open)
        return false;
    if (!m_lock.release()) {
        kv::showMessage(SetRules::releaseFailedMessage());
        return false;
    }
    reserveNew();
    name.clear();
    reading.clear();
    requestFocus(SetField::Code);
    return true;
}

bool SetEditor::startModify()
{
    if (m_store.countRealSets() <= 0) {
        kv::showMessage(SetRules::noSetsMessage());
        return false;
    }
    return newSet();
}

std::optional<SetEditor::Lines> SetEditor::chooseForModify(int code)
{
    const auto header = m_store.findHeader(code);
    if (!header || header->isPlaceholder()) {
        kv::showMessage(SetRules::setMissingMessage());
        return std::nullopt;
    }
    if (!m_lock.claim(code)) {
        kv::showMessage(SetRules::chosenLockedMessage());
        return std::nullopt;
    }
    // The code "新規" reserved goes: the set chosen is the one edited.
    dropOwnPlaceholder();
    load(*header);
    const auto lines = m_store.readLines(code);
    requestFocus(SetField::Name);
    return lines ? *lines : Lines{};
}

std::optional<SetEditor::Lines> SetEditor::beginDelete()
{
    if (m_state != SetState::Modify)
        return std::nullopt;
    m_stateBeforeDelete = m_state;
    m_state = SetState::Delete;
    const auto header = m_store.findHeader(m_code);
    if (!header) {
        m_state = m_stateBeforeDelete;
        kv::showMessage(SetRules::deleteMissingMessage());
        return std::nullopt;
    }
    const auto lines = m_store.readLines(m_code);
    if (!lines) {
        m_state = m_stateBeforeDelete;
        return std::nullopt;
    }
    load(*header);
    m_state = SetState::Delete;
    return lines;
}

bool SetEditor::confirmDelete()
{
    if (m_state != SetState::Delete)
        return false;
    if (!kv::askYesNo(SetRules::deleteQuestion(), true)) {
        m_state = m_stateBeforeDelete;
        return false;
    }
    const int code = m_code;
    const auto header = m_store.findHeader(code);
    if (!m_store.removeSet(code)) {
        m_state = m_stateBeforeDelete;
        return false;
    }
    if (header && !header->isPlaceholder())
        m_store.counter(Counter::Decrement);
    refreshCount();
    newSet();
    m_announcer.announceDelete(SetRules::kindTitle());
    return true;
}

bool SetEditor::checkHeader()
{
    if (name.isEmpty()) {
        kv::showMessage(SetRules::nameMissingMessage());
        requestFocus(SetField::Name);
        return false;
    }
    if (reading.isEmpty()) {
        kv::showMessage(SetRules::readingMissingMessage());
        requestFocus(SetField::Reading);
        return false;
    }
    return true;
}

bool SetEditor::record(const Lines& lines)
{
    if (!m_open || !checkHeader())
        return false;
    if (m_code < 1 || m_code > SetRules::kMaxCode) {
        kv::showMessage(SetRules::codeMessage());
        requestFocus(SetField::Code);
        return false;
    }
    const auto existing = m_store.findHeader(m_code);
    const bool becomesReal = !existing || existing->isPlaceholder();
    if (becomesReal) {
        // Placeholders are codes being typed, not sets: only real sets
        // count against the limit.
        const int count = m_store.countRealSets();
        if (count < 0)
            return false;
        if (count >= SetRules::kMaxSets) {
            kv::showMessage(SetRules::tableFullMessage());
            return false;
        }
    }
    if (!m_store.writeSet({m_code, name, reading.left(SetRules::kReadingCharacters)}, lines))
        return false;
    if (becomesReal)
        m_store.counter(Counter::Increment);
    if (m_ownPlaceholder == m_code)
        m_ownPlaceholder = 0;
    refreshCount();
    m_state = SetState::Modify;

    const bool sent =
        m_announcer.announceUpdate(SetRules::kindTitle(), {QString::number(m_count)});
    if (sent)
        newSet();
    return true;
}

} // namespace kv::masters
