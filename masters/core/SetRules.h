#pragma once

#include <QString>

#include <optional>

namespace kv::masters {

// The rules and texts of work and parts sets (作業・部品ｾｯﾄ).
class SetRules {
public:
    static constexpr int kMaxCode = 999;
    static constexpr int kMaxSets = 999;
    static constexpr int kNameBytes = 44;
    static constexpr int kReadingCharacters = 1;

    static QString kindTitle() { return QStringLiteral("作業・部品ｾｯﾄ"); }

    // A typed code 0..999 (0 asks for the lowest free one); nullopt for
    // anything else.
    static std::optional<int> parseCode(const QString& text);
    // "%03d", as the set pick list shows codes.
    static QString formatCode(int code);
    // "%3d/%3d件"
    static QString countLabel(int count);

    static QString codeMessage();
    static QString codeLockedMessage();
    static QString placeholderLockedMessage();
    static QString chosenLockedMessage();
    static QString releaseFailedMessage();
    static QString noSetsMessage();
    static QString setMissingMessage();
    static QString deleteMissingMessage();
    static QString deleteQuestion();
    static QString nameMissingMessage();
    static QString readingMissingMessage();
    static QString tableFullMessage();
};

} // namespace kv::masters
