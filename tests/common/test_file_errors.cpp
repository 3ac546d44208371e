#include "common/KVCommon.h"

#include <gtest/gtest.h>

namespace {

struct CauseText {
    int cause;
    const char* text;
};

const CauseText kCauses[] = {
    {0, "エラーなし"},
    {1, "未定義エラー"},
    {2, "ファイル未定義"},
    {3, "不正パス"},
    {4, "オープン ファイル数超過"},
    {5, "ファイル アクセス禁止"},
    {6, "不正ファイル ハンドル使用"},
    {7, "作業中のカレント ディレクトリの削除不可"},
    {8, "ディレクトリ フル"},
    {9, "ファイル ポインタ設定エラー"},
    {10, "ハードウェア エラー"},
    {11, "SHARE.EXE 未ロードまたは共有領域ロック済み"},
    {12, "ロック済み領域のロック要求"},
    {13, "ディスク フル"},
    {14, "ファイルの終わりに到達"},
};

} // namespace

TEST(CFileSetErrStr, DiskFullNamesTheFile)
{
    QString message = QStringLiteral("old text");
    CFileSetErrStr(message, QStringLiteral("x.dat"), 13);
    EXPECT_EQ(message, QStringLiteral("ディスク フル のため ファイル [x.dat] を開けません。"));
}

TEST(CFileSetErrStr, EveryCauseHasItsText)
{
    for (const CauseText& row : kCauses) {
        QString message;
        CFileSetErrStr(message, QStringLiteral("/data/001.dat"), row.cause);
        EXPECT_EQ(message, QString::fromUtf8(row.text)
                               + QStringLiteral(" のため ファイル [/data/001.dat] を開けません。"))
            << "cause " << row.cause;
    }
}

TEST(CFileSetErrStr, UnknownCauseAppendsTheSentenceToWhatWasThere)
{
    for (int cause : {-1, 15, 1000}) {
        QString message = QStringLiteral("前文");
        CFileSetErrStr(message, QStringLiteral("a.dat"), cause);
        EXPECT_EQ(message, QStringLiteral("前文 のため ファイル [a.dat] を開けません。"));
    }
}

TEST(CFileSetErrStr, FileNameIsTakenLiterally)
{
    QString message;
    CFileSetErrStr(message, QStringLiteral("100%1 %2.dat"), 2);
    EXPECT_EQ(message, QStringLiteral("ファイル未定義 のため ファイル [100%1 %2.dat] を開けません。"));
}
