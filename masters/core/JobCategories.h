#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {

// A job category (入庫区分) of the table NyuukoKbn.
struct JobCategory {
    int code = 0;
    QString name;
    int kind = 1; // kind code: 1..8, 98, 99
    bool operator==(const JobCategory&) const = default;
};

// The rules of the job categories: their number, the name's size and the
// ten kinds in the order of the drop-down.
namespace JobCategoryRules {
inline constexpr int kMaxCategories = 20;
inline constexpr int kNameBytes = 14;
inline constexpr int kKindCount = 10;

QString kindText(int position); // empty outside the list
int kindCode(int position);     // 0 outside the list
// The position of a kind code, 0 for a code the list does not have.
int positionOfKind(int kindCode);
QString countLabel(int count); // "%2d/%2d件"
} // namespace JobCategoryRules

// Recording and deleting job categories on the document's category
// recordset. A category that a slip or a ledger row uses keeps its name and
// kind: it is neither changed nor deleted. Each call returns the message to
// show, empty when it went through; database errors come back as the
// engine's description.
class JobCategoryStore {
public:
    explicit JobCategoryStore(data::CCarMaintenanceDoc& document);

    // In code order, at most kMaxCategories; nullopt after a database error
    // (message in lastMessage()).
    std::optional<std::vector<JobCategory>> readAll();

    struct Outcome {
        bool done = false;
        QString message;            // to show; empty when done or already shown
        bool toClearButton = false; // the focus goes to 入力欄クリア
        bool clearInput = false;    // the input area is cleared
        JobCategory category;       // the row as written
    };
    Outcome add(const QString& name, int kindPosition);
    Outcome modify(int code, const QString& name, int kindPosition);
    Outcome remove(int code);

    // The shared category recordset back to no filter and code order.
    QString resetView();

    const QString& lastMessage() const { return m_lastMessage; }

private:
    enum class Use { None, Slip, Ledger, Failed };
    Use useOf(int code);
    // Why a category cannot be changed (or deleted), empty when it can.
    QString inUse(int code, bool deleting);
    // code 0 adds a category.
    Outcome write(int code, const QString& name, int kindPosition);
    static QString missingMessage();
    QString checkName(const QString& name) const;

    data::CCarMaintenanceDoc& m_document;
    QString m_lastMessage;
};

} // namespace kv::masters
