#include "data/engine/LikePattern.h"

#include <QVarLengthArray>

namespace kv::data {

namespace {

char32_t foldAscii(char32_t c)
{
    return (c >= U'A' && c <= U'Z') ? c + 32 : c;
}

char32_t upperAscii(char32_t c)
{
    return (c >= U'a' && c <= U'z') ? c - 32 : c;
}

using CodePoints = QVarLengthArray<char32_t, 128>;

void decodeUtf16(QStringView text, CodePoints& out)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out.append(QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else {
            out.append(u);
        }
    }
}

// Lenient UTF-8 decoding: a malformed byte becomes U+FFFD on its own.
void decodeUtf8(std::string_view text, CodePoints& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) { c = b; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out.append(0xFFFD); ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + size_t(k) >= n || (p[i + size_t(k)] & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (p[i + size_t(k)] & 0x3F);
        }
        if (!ok) { out.append(0xFFFD); ++i; continue; }
        out.append(c);
        i += size_t(extra) + 1;
    }
}

} // namespace

std::optional<LikePattern> LikePattern::compile(QStringView pattern)
{
    CodePoints cps;
    decodeUtf16(pattern, cps);
    LikePattern result;
    for (qsizetype i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        Token token{Kind::Literal};
        if (c == U'*') {
            // Consecutive stars are one star.
            if (!result.m_tokens.empty() && result.m_tokens.back().kind == Kind::Star)
                continue;
            token.kind = Kind::Star;
        } else if (c == U'?') {
            token.kind = Kind::AnyChar;
        } else if (c == U'#') {
            token.kind = Kind::Digit;
        } else if (c == U'[') {
            qsizetype j = i + 1;
            token.kind = Kind::Set;
            if (j < cps.size() && cps[j] == U'!') {
                token.negate = true;
                ++j;
            }
            token.firstRange = result.m_ranges.size();
            bool closed = false;
            while (j < cps.size()) {
                if (cps[j] == U']') {
                    closed = true;
                    break;
                }
                char32_t low = cps[j];
                char32_t high = low;
                if (j + 2 < cps.size() && cps[j + 1] == U'-' && cps[j + 2] != U']') {
                    high = cps[j + 2];
                    j += 2;
                }
                if (high < low)
                    return std::nullopt;
                result.m_ranges.push_back({low, high});
                ++j;
            }
            if (!closed)
                return std::nullopt;
            token.rangeCount = result.m_ranges.size() - token.firstRange;
            i = j;
            // "[]" stands for nothing; "[!]" for a literal "!".
            if (token.rangeCount == 0) {
                if (!token.negate)
                    continue;
                token = Token{Kind::Literal, U'!'};
            }
        } else {
            token.ch = foldAscii(c);
        }
        result.m_tokens.push_back(token);
    }
    return result;
}

bool LikePattern::tokenMatches(const Token& token, char32_t c) const
{
    switch (token.kind) {
    case Kind::Literal: return foldAscii(c) == token.ch;
    case Kind::AnyChar: return true;
    case Kind::Digit: return c >= U'0' && c <= U'9';
    case Kind::Set: {
        const char32_t lower = foldAscii(c);
        const char32_t upper = upperAscii(c);
        bool inSet = false;
        for (size_t r = token.firstRange; r < token.firstRange + token.rangeCount && !inSet; ++r) {
            const Range& range = m_ranges[r];
            inSet = (c >= range.low && c <= range.high) || (lower >= range.low && lower <= range.high)
                 || (upper >= range.low && upper <= range.high);
        }
        return inSet != token.negate;
    }
    case Kind::Star: return false;
    }
    return false;
}

bool LikePattern::matchesCodePoints(const char32_t* text, size_t length) const
{
    // Every token but the star takes exactly one character, so backtracking
    // to the last star is enough.
    size_t t = 0;
    size_t p = 0;
    size_t starToken = SIZE_MAX;
    size_t starText = 0;
    const size_t tokenCount = m_tokens.size();
    while (t < length) {
        if (p < tokenCount && m_tokens[p].kind == Kind::Star) {
            starToken = p++;
            starText = t;
        } else if (p < tokenCount && tokenMatches(m_tokens[p], text[t])) {
            ++p;
            ++t;
        } else if (starToken != SIZE_MAX) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokenCount && m_tokens[p].kind == Kind::Star)
        ++p;
    return p == tokenCount;
}

bool LikePattern::matches(QStringView text) const
{
    CodePoints cps;
    decodeUtf16(text, cps);
    return matchesCodePoints(cps.constData(), size_t(cps.size()));
}

bool LikePattern::matchesUtf8(std::string_view text) const
{
    CodePoints cps;
    decodeUtf8(text, cps);
    return matchesCodePoints(cps.constData(), size_t(cps.size()));
}

} // namespace kv::data
