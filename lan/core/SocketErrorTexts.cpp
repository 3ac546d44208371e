#include "lan/core/SocketErrorTexts.h"

#include <iterator>

namespace kv::lan {
namespace {

struct Entry {
    int code;
    const char* what;
    bool retry;
};

SocketErrorText lookUp(const Entry* entries, int count, int code, const char* other,
                       const char* direction)
{
    const QString restart = QStringLiteral("\n再起動して下さい。");
    const QString again = QStringLiteral("\n再試行しますか？");
    for (int i = 0; i < count; ++i) {
        if (entries[i].code == code) {
            return {QString::fromUtf8(entries[i].what) + QString::fromUtf8(direction)
                        + (entries[i].retry ? again : restart),
                    entries[i].retry};
        }
    }
    return {QString::fromUtf8(other) + QString::fromUtf8(direction) + restart, false};
}

} // namespace

SocketErrorText sendErrorText(int code)
{
    static const Entry entries[] = {
        {10013, "適切なフラグが設定されていません", false},
        {10022, "Ｓが Bind を使ってバインドされていません", false},
        {10036, "Ｓ呼び出しがブロッキングされています", true},
        {10038, "ディスクリプタがＳではありません", false},
        {10050, "ネットワークサブシステムが異常です", false},
        {10052, "Ｓをドロップしました", false},
        {10053, "タイムアウトが発生しました", true},
        {10054, "リモート側からリセットされました", false},
        {10055, "デッドロックが発生しました", true},
        {10057, "Ｓが接続されていません", false},
        {10058, "Ｓはシャットダウンされています", false},
        {10093, "Ｓ初期化の呼び出しが正常終了していません", false},
    };
    return lookUp(entries, int(std::size(entries)), code, "その他エラー", "(送信エラー)！");
}

SocketErrorText receiveErrorText(int code)
{
    static const Entry entries[] = {
        {10022, "Ｓが Bind を使ってバインドされていません", false},
        {10036, "Ｓ呼び出しがブロッキングされています", true},
        {10038, "ディスクリプタがＳではありません", false},
        {10050, "ネットワークサブシステムが異常です", false},
        {10053, "タイムアウトが発生しました", true},
        {10054, "リモート側からリセットされました", false},
        {10057, "Ｓが接続されていません", false},
        {10058, "Ｓはシャットダウンされています", false},
        {10093, "Ｓ初期化の呼び出しが正常終了していません", false},
    };
    return lookUp(entries, int(std::size(entries)), code, "デフォルトエラー", "(受信エラー)！");
}

} // namespace kv::lan
