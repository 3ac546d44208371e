#include "controls/KanaConversion.h"

#include <gtest/gtest.h>

namespace {

struct KanaCase {
    const char* typed;
    const char* stored;
};

class KanaConversion : public ::testing::TestWithParam<KanaCase> {};

TEST_P(KanaConversion, GivesHalfWidthReading)
{
    EXPECT_EQ(kv::toHalfWidthKana(QString::fromUtf8(GetParam().typed)),
              QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, KanaConversion,
    ::testing::Values(
        KanaCase{"かとう", "ｶﾄｳ"},
        KanaCase{"カトウ", "ｶﾄｳ"},
        KanaCase{"がぎぐげご", "ｶﾞｷﾞｸﾞｹﾞｺﾞ"},
        KanaCase{"ざじずぜぞだぢづでど", "ｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"},
        KanaCase{"ばびぶべぼぱぴぷぺぽ", "ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
        KanaCase{"ヴァイオリン", "ｳﾞｧｲｵﾘﾝ"},
        KanaCase{"ゔ", "ｳﾞ"},
        KanaCase{"ぁぃぅぇぉっゃゅょ", "ｧｨｩｪｫｯｬｭｮ"},
        KanaCase{"ァィゥェォッャュョ", "ｧｨｩｪｫｯｬｭｮ"},
        KanaCase{"ゎヮヵヶ", "ﾜﾜｶｹ"},
        KanaCase{"ゐゑヰヱをヲん", "ｲｴｲｴｦｦﾝ"},
        KanaCase{"ヷヸヹヺ", "ﾜﾞｲﾞｴﾞｦﾞ"},
        KanaCase{"なにぬねのまみむめもやゆよらりるれろわ", "ﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜ"},
        KanaCase{"さとう　はなこ", "ｻﾄｳ ﾊﾅｺ"},
        KanaCase{"スーパー", "ｽｰﾊﾟｰ"},
        KanaCase{"ＡＢＣ１２３（株）", "ABC123(株)"},
        KanaCase{"ａｚ！～", "az!~"},
        KanaCase{"「ア」、。・", "｢ｱ｣､｡･"},
        KanaCase{"か゛は゜", "ｶﾞﾊﾟ"},
        KanaCase{"か\u3099", "ｶﾞ"},
        KanaCase{"ｶﾄｳ ﾀﾛｳ", "ｶﾄｳ ﾀﾛｳ"},
        KanaCase{"山田たろう", "山田ﾀﾛｳ"},
        KanaCase{"", ""}));

} // namespace
