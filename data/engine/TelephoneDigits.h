#pragma once

#include <QByteArray>
#include <QByteArrayView>

struct sqlite3;

namespace kv::data {

// Name of the SQL function kv_tel_digits(text): the digits of a telephone
// number. The caller-ID lookup indexes it over the customers' numbers, so a
// number written "03-3611-9879" is found from the "0336119879" an adapter
// sends.
inline constexpr char kTelephoneDigitsFunction[] = "kv_tel_digits";

// The digits of UTF-8 text in their order, full-width digits ("０３") as
// ASCII; hyphens, blanks, brackets and every other character dropped.
QByteArray telephoneDigits(QByteArrayView utf8);

// Registers kv_tel_digits on a connection; deterministic and harmless, so
// that an index may be built on it. Returns an SQLite result code.
int registerTelephoneDigits(sqlite3* db);

} // namespace kv::data
