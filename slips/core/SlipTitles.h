#pragma once

#include "data/tables/TableRows.h"

#include <QString>

namespace kv::slips {

// The vehicle's plate as the slip titles show it: office, class number,
// kana and number, blanks where a part is 0.
QString plateText(const data::CarRow& vehicle);

// "顧客：%d %s   車輌：%d  %s  %s %s": the customer's code and name (the
// user name lines, 20 bytes), the vehicle's code, plate, make and model.
QString slipSubject(const data::KokRow& customer, const data::CarRow& vehicle,
                    const QString& makeName);

// The window titles: the slip window's with its mode word, the history's.
QString slipWindowTitle(int mode, const QString& subject);
QString historyTitle(const QString& subject);

} // namespace kv::slips
