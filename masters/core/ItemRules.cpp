#include "masters/core/ItemRules.h"

#include "common/KVCommon.h"

namespace kv::masters {

QString ItemRules::codeMessage()
{
    return QStringLiteral("明細コードには1から9999迄の整数を入力してください！");
}

QString ItemRules::textMissingMessage()
{
    return QStringLiteral("作業・部品を入力して下さい！");
}

QString ItemRules::readingMissingMessage()
{
    return QStringLiteral("ﾌﾘｶﾞﾅを入力して下さい！");
}

QString ItemRules::categoryMessage()
{
    return QStringLiteral("0から%1迄を入力して下さい！").arg(kMaxCategory);
}

QString ItemRules::priceMessage()
{
    return QStringLiteral("-9,999,999から9,999,999迄の整数を入力して下さい！");
}

QString ItemRules::tableFullMessage()
{
    return QStringLiteral("データが %1 件(最大)存在します！\nこれ以上追加することはできません")
        .arg(kMaxItems);
}

QString ItemRules::lockedMessage()
{
    return QStringLiteral("このデータは他のコンピュータで編集中です！");
}

QString ItemRules::deleteQuestion()
{
    return QStringLiteral("削除します！\n本当によろしいですね？");
}

std::optional<int> ItemRules::parseCode(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 4)
        return std::nullopt;
    for (QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return trimmed.toInt();
}

std::optional<ItemRules::Category> ItemRules::resolveCategory(
    const QString& text, const kv::data::CategoryNames& names)
{
    if (!text.isEmpty()) {
        const int named = names.indexOf(text);
        if (named >= 0)
            return Category{named, text};
    }
    int flag = 0;
    const int number = KanmaToInt(text, &flag);
    // Text that is neither a name nor a number reads as 0, category 0; a
    // number with trailing letters is read up to them.
    if (number < 0 || number > kMaxCategory)
        return std::nullopt;
    return Category{number, categoryName(number, names)};
}

QString ItemRules::categoryName(int index, const kv::data::CategoryNames& names)
{
    if (index < 0 || index >= int(names.names.size()))
        return {};
    return names.names[size_t(index)];
}

std::optional<int> ItemRules::parsePrice(const QString& text)
{
    int flag = 0;
    const int value = KanmaToInt(text.trimmed(), &flag);
    if (!flag || value < kMinPrice || value > kMaxPrice)
        return std::nullopt;
    return value;
}

QString ItemRules::formatPrice(int price)
{
    QString text;
    Kanma(text, price);
    return text;
}

QString ItemRules::formatCode(int code)
{
    return QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
}

} // namespace kv::masters
