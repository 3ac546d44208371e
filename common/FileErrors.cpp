#include "common/FileErrorMessage.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"

#include <array>

namespace {

// Indexed by the file-error cause (common/platform/SharedFile.h).
constexpr std::array<const char*, 15> kCauseTexts = {
    "エラーなし",
    "未定義エラー",
    "ファイル未定義",
    "不正パス",
    "オープン ファイル数超過",
    "ファイル アクセス禁止",
    "不正ファイル ハンドル使用",
    "作業中のカレント ディレクトリの削除不可",
    "ディレクトリ フル",
    "ファイル ポインタ設定エラー",
    "ハードウェア エラー",
    "SHARE.EXE 未ロードまたは共有領域ロック済み",
    "ロック済み領域のロック要求",
    "ディスク フル",
    "ファイルの終わりに到達",
};

} // namespace

void CFileSetErrStr(QString& message, QString fileName, int cause)
{
    const QString sentence = QStringLiteral(" のため ファイル [%1] を開けません。").arg(fileName);
    if (cause >= 0 && cause < int(kCauseTexts.size()))
        message = QString::fromUtf8(kCauseTexts[size_t(cause)]) + sentence;
    else
        message += sentence;
}

namespace kv {

void showFileError(const QString& path, int cause)
{
    QString message;
    CFileSetErrStr(message, path, cause);
    showMessage(message);
}

} // namespace kv
