#pragma once

#include <QStringView>

#include <optional>
#include <string_view>
#include <vector>

namespace kv::data {

// A compiled Like pattern with the wildcards users type into searches:
// * any run of characters, ? one character, # one digit, [abc] [a-z] one of,
// [!abc] none of; a wildcard inside brackets stands for itself ("[*]").
// Letters compare without regard to ASCII case.
class LikePattern {
public:
    // nullopt for a malformed pattern (unclosed bracket, reversed range).
    static std::optional<LikePattern> compile(QStringView pattern);

    bool matches(QStringView text) const;
    bool matchesUtf8(std::string_view text) const;

private:
    enum class Kind { Literal, AnyChar, Digit, Set, Star };
    struct Range {
        char32_t low;
        char32_t high;
    };
    struct Token {
        Kind kind;
        char32_t ch = 0;     // Literal, folded
        bool negate = false; // Set
        size_t firstRange = 0;
        size_t rangeCount = 0;
    };

    bool tokenMatches(const Token& token, char32_t c) const;
    bool matchesCodePoints(const char32_t* text, size_t length) const;

    std::vector<Token> m_tokens;
    std::vector<Range> m_ranges;
};

} // namespace kv::data
