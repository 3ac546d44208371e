#pragma once

#include <QString>

namespace kv {

// Readings are stored in half-width katakana so that they sort and search in
// CP932 byte order. Where the input method cannot type half-width katakana
// directly, a reading field rewrites what was typed when it is left:
// hiragana and full-width katakana become half-width katakana (voiced and
// semi-voiced marks split off as ﾞ and ﾟ, small kana kept small where
// half-width has them), the long vowel mark becomes ｰ, Japanese punctuation
// its half-width form, full-width ASCII and the ideographic space their
// ASCII forms. Anything else (kanji, half-width text) is left as it is.
QString toHalfWidthKana(const QString& text);

} // namespace kv
