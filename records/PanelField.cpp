#include "records/PanelField.h"

#include <iterator>

namespace kv::records {
namespace {

// In the order of PanelField; the columns are named as the fields.
const char* const kColumns[] = {
    "KokCode", "OwnerName1", "OwnerName2", "OwnerJyu1", "OwnerJyu2", "UserName1", "UserName2",
    "Sama", "Furi", "Post", "UserJyu1", "UserJyu2", "Tel1", "Tel2", "UseBase1", "UseBase2", "",
    "Burth", "Shime1", "Shime2", "Shime3", "Shime4", "KokBiko1", "KokBiko2", "Syochuu", "Nenga",
    "Chuugen", "Seibo", "Hoyu", "SyoukaiKokCode", "",
    "CarCode", "Rikuji", "Rno", "Kana", "Preno", "", "Tounen", "", "Syonen", "Syubetu", "Youto",
    "Jiei", "Keijyo", "Syamei", "Syasyu", "Katasiki", "Teiin", "Teiin2", "Sekisai", "Sekisai2",
    "Jyuryo", "SouJyuryo", "SouJyuryo2", "Syatai", "Gendoki", "Nagasa", "Haba", "Takasa",
    "Haikiryo", "Nenryo", "Kata", "Rui", "ZenZen", "ZenKou", "KouZen", "KouKou", "Syaman", "Yuko",
    "Homan", "Jibai", "JyuZei", "Insi", "Daiko", "CarBiko1", "CarBiko2",
};
static_assert(std::size(kColumns) == size_t(kPanelFieldCount));

} // namespace

QLatin1StringView columnOf(PanelField field)
{
    const int index = int(field);
    if (index < 0 || index >= kPanelFieldCount)
        return {};
    return QLatin1StringView(kColumns[index]);
}

std::optional<PanelField> fieldOfColumn(QStringView column)
{
    if (column.isEmpty())
        return std::nullopt;
    for (int i = 0; i < kPanelFieldCount; ++i) {
        if (column == QLatin1StringView(kColumns[i]))
            return PanelField(i);
    }
    return std::nullopt;
}

} // namespace kv::records
