#include "masters/core/KanaIndex.h"

#include <QCollator>
#include <QLocale>

namespace kv::masters {
namespace {

constexpr char16_t kKana[KanaIndex::kCount] = {u'ｱ', u'ｶ', u'ｻ', u'ﾀ', u'ﾅ',
                                               u'ﾊ', u'ﾏ', u'ﾔ', u'ﾗ', u'ﾜ'};

QString digitOf(int button)
{
    return QString::number((button + 1) % 10);
}

} // namespace

QString KanaIndex::kana(int button)
{
    if (button < 0 || button >= kCount)
        return {};
    return QString(QChar(kKana[button]));
}

QString KanaIndex::dialogCaption(int button)
{
    return kana(button) + QStringLiteral("(&") + digitOf(button) + QLatin1Char(')');
}

QString KanaIndex::pickListCaption(int button)
{
    return kana(button) + QLatin1Char('(') + digitOf(button) + QLatin1Char(')');
}

int KanaIndex::buttonOfDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return -1;
    return digit == 0 ? 9 : digit - 1;
}

int KanaIndex::rowFor(int button, const std::vector<ItemRow>& rows)
{
    if (rows.empty())
        return -1;
    // The user's collation, as the readings appear to the user: small kana
    // and voiced marks go with their letter (ｧ with ｱ, ｶﾞ with ｶ).
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    const QString key = kana(button);
    for (size_t row = 0; row < rows.size(); ++row) {
        const QString letter = rows[row].reading.left(1);
        if (collator.compare(letter, key) >= 0)
            return int(row);
    }
    return int(rows.size()) - 1;
}

} // namespace kv::masters
