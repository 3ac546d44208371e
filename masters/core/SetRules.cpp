#include "masters/core/SetRules.h"

namespace kv::masters {

std::optional<int> SetRules::parseCode(const QString& text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (!ok || code < 0 || code > kMaxCode)
        return std::nullopt;
    return code;
}

QString SetRules::formatCode(int code)
{
    return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

QString SetRules::countLabel(int count)
{
    return QStringLiteral("%1/%2件").arg(count, 3).arg(kMaxSets, 3);
}

QString SetRules::codeMessage()
{
    return QStringLiteral("セットコードには1から999迄の整数を入力してください！");
}

QString SetRules::codeLockedMessage()
{
    return QStringLiteral("このコードは他のクライアントで編集中です！");
}

QString SetRules::placeholderLockedMessage()
{
    return QStringLiteral("このデータは他のクライアントで編集中です！");
}

QString SetRules::chosenLockedMessage()
{
    return QStringLiteral("このコードは他のコンピュータで編集中です！");
}

QString SetRules::releaseFailedMessage()
{
    return QStringLiteral("クリアに失敗しました！");
}

QString SetRules::noSetsMessage()
{
    return QStringLiteral("ｾｯﾄが存在しません！");
}

QString SetRules::setMissingMessage()
{
    return QStringLiteral("該当ｾｯﾄが存在しません！");
}

QString SetRules::deleteMissingMessage()
{
    return QStringLiteral("指定されたｾｯﾄが存在しないので削除できません！");
}

QString SetRules::deleteQuestion()
{
    return QStringLiteral("削除します！\n本当によろしいですね？");
}

QString SetRules::nameMissingMessage()
{
    return QStringLiteral("ｾｯﾄ名を入力して下さい！");
}

QString SetRules::readingMissingMessage()
{
    return QStringLiteral("ﾌﾘｶﾞﾅを入力して下さい！");
}

QString SetRules::tableFullMessage()
{
    return QStringLiteral(" %1 件(最大)存在します！\nこれ以上追加することはできません").arg(kMaxSets);
}

} // namespace kv::masters
