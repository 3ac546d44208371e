#pragma once

#include "data/settings/CategoryNames.h"

#include <QString>

#include <optional>

namespace kv::masters {

// The rules of a work or parts item (作業・部品) and of the fields it is
// typed into.
class ItemRules {
public:
    static constexpr int kMaxCode = 9999;
    static constexpr int kMaxItems = 9999;
    static constexpr int kTextBytes = 44;
    static constexpr int kReadingBytes = 1;
    static constexpr int kCategoryBytes = 4;
    static constexpr int kMaxCategory = 18;
    static constexpr int kMinPrice = -9999999;
    static constexpr int kMaxPrice = 9999999;

    static QString placeholderText() { return QStringLiteral("新規作成中"); }
    static QString kindTitle() { return QStringLiteral("作業・部品"); }

    static QString codeMessage();
    static QString textMissingMessage();
    static QString readingMissingMessage();
    static QString categoryMessage();
    static QString priceMessage();
    static QString tableFullMessage();
    static QString lockedMessage();
    static QString deleteQuestion();

    // A typed code 0..9999 (0 asks for the lowest free one); nullopt for
    // anything else, blanks around the digits allowed.
    static std::optional<int> parseCode(const QString& text);

    // A typed category: a name of the list stays as typed; otherwise the
    // text is a number 0..18 (not a number counts as 0), shown as that
    // category's name. nullopt when the number is above 18 or negative.
    struct Category {
        int index = 0;
        QString text;
    };
    static std::optional<Category> resolveCategory(const QString& text,
                                                   const kv::data::CategoryNames& names);
    // Name of a stored category index; empty for an index out of range.
    static QString categoryName(int index, const kv::data::CategoryNames& names);

    // A typed unit price (commas allowed) within the range; nullopt otherwise.
    static std::optional<int> parsePrice(const QString& text);
    static QString formatPrice(int price);
    // "%04d", as the lists show codes.
    static QString formatCode(int code);
};

} // namespace kv::masters
