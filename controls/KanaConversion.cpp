#include "controls/KanaConversion.h"

#include <array>

namespace kv {
namespace {

constexpr char16_t FirstKatakana = u'\u30A1'; // ァ
constexpr char16_t LastKatakana = u'\u30FA';  // ヺ
constexpr char16_t HiraganaToKatakana = 0x60;

// Half-width forms of ァ (U+30A1) to ヺ (U+30FA), in code order. Kana that
// half-width has no form of take their nearest plain kana (ヮ ﾜ, ヵ ｶ, ヰ ｲ).
constexpr std::array<const char16_t*, LastKatakana - FirstKatakana + 1> KatakanaForms = {
    u"ｧ", u"ｱ", u"ｨ", u"ｲ", u"ｩ", u"ｳ", u"ｪ", u"ｴ", u"ｫ", u"ｵ",
    u"ｶ", u"ｶﾞ", u"ｷ", u"ｷﾞ", u"ｸ", u"ｸﾞ", u"ｹ", u"ｹﾞ", u"ｺ", u"ｺﾞ",
    u"ｻ", u"ｻﾞ", u"ｼ", u"ｼﾞ", u"ｽ", u"ｽﾞ", u"ｾ", u"ｾﾞ", u"ｿ", u"ｿﾞ",
    u"ﾀ", u"ﾀﾞ", u"ﾁ", u"ﾁﾞ", u"ｯ", u"ﾂ", u"ﾂﾞ", u"ﾃ", u"ﾃﾞ", u"ﾄ", u"ﾄﾞ",
    u"ﾅ", u"ﾆ", u"ﾇ", u"ﾈ", u"ﾉ",
    u"ﾊ", u"ﾊﾞ", u"ﾊﾟ", u"ﾋ", u"ﾋﾞ", u"ﾋﾟ", u"ﾌ", u"ﾌﾞ", u"ﾌﾟ",
    u"ﾍ", u"ﾍﾞ", u"ﾍﾟ", u"ﾎ", u"ﾎﾞ", u"ﾎﾟ",
    u"ﾏ", u"ﾐ", u"ﾑ", u"ﾒ", u"ﾓ",
    u"ｬ", u"ﾔ", u"ｭ", u"ﾕ", u"ｮ", u"ﾖ",
    u"ﾗ", u"ﾘ", u"ﾙ", u"ﾚ", u"ﾛ",
    u"ﾜ", u"ﾜ", u"ｲ", u"ｴ", u"ｦ", u"ﾝ", u"ｳﾞ", u"ｶ", u"ｹ",
    u"ﾜﾞ", u"ｲﾞ", u"ｴﾞ", u"ｦﾞ",
};

bool isConvertibleHiragana(char16_t c)
{
    return c >= u'\u3041' && c <= u'\u3096';
}

// The half-width form of one character, or nullptr when it stays as it is.
const char16_t* halfWidthForm(char16_t c)
{
    switch (c) {
    case u'\u3000': return u" ";
    case u'\u3001': return u"､";
    case u'\u3002': return u"｡";
    case u'\u300C': return u"｢";
    case u'\u300D': return u"｣";
    case u'\u30FB': return u"･";
    case u'\u30FC': return u"ｰ";
    case u'\u3099': // combining voiced mark
    case u'\u309B': return u"ﾞ";
    case u'\u309A': // combining semi-voiced mark
    case u'\u309C': return u"ﾟ";
    case u'\u2212': return u"-";
    default: break;
    }
    if (isConvertibleHiragana(c))
        c = static_cast<char16_t>(c + HiraganaToKatakana);
    if (c >= FirstKatakana && c <= LastKatakana)
        return KatakanaForms[c - FirstKatakana];
    return nullptr;
}

} // namespace

QString toHalfWidthKana(const QString& text)
{
    QString result;
    result.reserve(text.size() * 2);
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= u'\uFF01' && c <= u'\uFF5E') {
            result += QChar(char16_t(c - 0xFEE0));
        } else if (const char16_t* form = halfWidthForm(c)) {
            result += QString::fromUtf16(form);
        } else {
            result += qc;
        }
    }
    return result;
}

} // namespace kv
