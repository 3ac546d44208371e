#include "reports/core/CustomerSelection.h"

#include "common/Cp932.h"
#include "reports/core/FilterText.h"
#include "reports/core/ReadingBounds.h"

namespace kv::reports {

QString CustomerSelection::filter() const
{
    QString range = order == Order::Reading
        ? ReadingBounds(readingFrom, readingTo).condition()
        : QStringLiteral("(KokCode >= %1 AND KokCode <= %2)").arg(codeFrom).arg(codeTo);
    if (closingDay != 0)
        range = QStringLiteral("(%1 AND (Shime1 = %2 OR Shime2 = %2 OR Shime3 = %2 OR Shime4 = %2))")
                    .arg(range)
                    .arg(closingDay);
    QString filter = range + QStringLiteral(" AND UserName1 <> ") + FilterText::text(FilterText::placeholder());
    if (summerGreeting)
        filter += QStringLiteral(" AND Syochuu <> 0");
    if (newYearCard)
        filter += QStringLiteral(" AND Nenga <> 0");
    if (summerGift)
        filter += QStringLiteral(" AND Chuugen <> 0");
    if (yearEndGift)
        filter += QStringLiteral(" AND Seibo <> 0");
    return filter;
}

QString CustomerSelection::sort() const
{
    return order == Order::Reading ? QStringLiteral("Furi, KokCode") : QStringLiteral("KokCode");
}

std::optional<ReportRefusal> CustomerSelection::check() const
{
    using Field = ReportRefusal::Field;
    if (codeFrom > codeTo)
        return ReportRefusal{Field::CodeFrom,
                             QStringLiteral("終了顧客ｺｰﾄﾞが開始顧客ｺｰﾄﾞより小さくなっています！")};
    if (cp932::compare(readingTo, readingFrom) < 0)
        return ReportRefusal{Field::ReadingTo,
                             QStringLiteral("終了顧客ﾌﾘｶﾞﾅが開始顧客ﾌﾘｶﾞﾅより小さくなっています！")};
    return std::nullopt;
}

} // namespace kv::reports
