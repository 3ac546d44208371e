#pragma once

#include <QDate>
#include <QString>

namespace kv::reports {

// The selections of the vehicle lists. Each leaves out placeholders, and a
// date condition never takes a vehicle whose date is empty (stored far
// before every real date).
namespace VehicleLists {

// 車検未入庫車輌一覧: inspection expired before the first day of the base
// month; 12 vehicles a page.
inline constexpr int kOverduePerPage = 12;
QString overdueFilter(const QDate& firstDayOfMonth);
inline QString overdueSort() { return QStringLiteral("Syaman, KokCode, CarCode"); }

// 任意保険満期予定車輌一覧: insurance expiring from the first day through the
// whole of the last day; 39 vehicles a page.
inline constexpr int kInsurancePerPage = 39;
QString insuranceFilter(const QDate& first, const QDate& last);
inline QString insuranceSort() { return QStringLiteral("Homan, KokCode, CarCode"); }

// 初年度該当車輌一覧: first registration within the days; a make (Syamei,
// 0 none) and a model pattern (empty none) narrow it; 6 vehicles a page.
inline constexpr int kFirstRegistrationPerPage = 6;
QString firstRegistrationFilter(const QDate& first, const QDate& last, int make, const QString& model);
inline QString firstRegistrationSort() { return QStringLiteral("Syonen, KokCode, CarCode"); }

} // namespace VehicleLists

} // namespace kv::reports
