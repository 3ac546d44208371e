#pragma once

#include "data/settings/SettingsFileId.h"

#include <QString>

#include <optional>
#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
class SettingsStore;
}

namespace kv::masters {

// The three typing-aid tables the shop maintains: address phrases, customer
// names with their readings, and the models of each make.
enum class ReferenceTable { Addresses, CustomerNames, Models };

// One row: its ID, its text and reading (models have none).
struct ReferenceRow {
    int id = 0;
    QString text;
    QString reading;
    bool operator==(const ReferenceRow&) const = default;
};

// What differs between the three tables.
struct ReferenceListKind {
    ReferenceTable table;
    const char* title;        // the dialog's title and the announced kind
    int maxRows;              // of the whole table, or of one make for models
    int textBytes;
    int readingBytes;         // 0: no reading
    const char* textRequired;
    const char* readingRequired; // nullptr: the reading may stay empty
    const char* textCaption;
    const char* readingCaption;
    const char* openingSort;  // the document's sort of its recordset

    QString titleText() const { return QString::fromUtf8(title); }
    static const ReferenceListKind& of(ReferenceTable table);
};

// Recording and deleting rows of one of the three tables on the document's
// shared recordset. Each change returns what to show; nothing is checked
// against the customers or vehicles: the lists are only typing aids.
class ReferenceListStore {
public:
    ReferenceListStore(data::CCarMaintenanceDoc& document, ReferenceTable table);

    const ReferenceListKind& kind() const { return m_kind; }
    // The make (1-based, the index of "013.dat") whose models are edited.
    void setMake(int makeNumber) { m_make = makeNumber; }
    int make() const { return m_make; }

    // In the table's order, at most maxRows; nullopt after a database error
    // (lastMessage()).
    std::optional<std::vector<ReferenceRow>> readAll();

    enum class Field { None, Text, Reading, ClearButton };
    struct Outcome {
        bool done = false;
        QString message; // to show; empty when done or shown already
        Field focus = Field::None;
        ReferenceRow row; // as written
    };
    // id 0 adds a row, another rewrites that row.
    Outcome record(const ReferenceRow& row);
    Outcome remove(int id);
    // The shared recordset back to no filter and its opening order.
    QString resetView();

    static QString countLabel(int count, int maximum); // "%3d/%3d件"
    const QString& lastMessage() const { return m_lastMessage; }

private:
    QString filter() const;
    QString sort() const;
    QString checkText(const QString& text, int bytes, const char* required,
                      const QString& caption) const;

    data::CCarMaintenanceDoc& m_document;
    const ReferenceListKind& m_kind;
    int m_make = 1;
    QString m_lastMessage;
};

// The six lists of fixed size in settings files: transport offices, makes,
// vehicle classes, uses, fuels and body shapes. Slots are the indexes the
// vehicle records store; the dialogs edit those from first to last.
struct FixedListKind {
    const char* title;         // the dialog's title
    data::SettingsFileId file;
    int first;                 // first slot offered
    int last;                  // last slot offered
    bool numbered;             // the rows show their index
    const char* columnCaption;
    const char* announceKind;  // "Update" kind, sent with the slot's index
    const char* fixedCaption;  // shown above the list, or nullptr

    int slotCount() const { return last - first + 1; }
    static const FixedListKind& transportOffices();
    static const FixedListKind& makes();
    static const FixedListKind& vehicleClasses();
    static const FixedListKind& vehicleUses();
    static const FixedListKind& fuels();
    static const FixedListKind& bodyShapes();
};

// Storing a slot of a fixed list: its text checked against the file's
// bytes, the whole file written and the change announced. The store's
// record of the list keeps the old text when the file cannot be written.
class FixedListEditor {
public:
    FixedListEditor(data::SettingsStore& settings, const FixedListKind& kind);

    const FixedListKind& kind() const { return m_kind; }
    int textBytes() const;
    // Re-reads the file; false after its message (the slots stay as held).
    bool load();
    QString slotText(int slot) const;
    // False after a message: a slot outside the list, text that does not
    // fit, a file that cannot be written.
    bool store(int slot, const QString& text);

private:
    data::SettingsStore& m_settings;
    const FixedListKind& m_kind;
};

} // namespace kv::masters
