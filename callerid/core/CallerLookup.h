#pragma once

#include "data/engine/EngineError.h"
#include "data/settings/CallInfoFile.h"

#include <QByteArray>
#include <QString>

namespace kv::data {
class Connection;
}

namespace kv::callerid {

// Finds the customer who is calling from the number the adapter sent. The
// number is bound to the query, never written into it. A customer's Tel1
// or Tel2 as written is tried first; shops write numbers with hyphens
// ("03-3611-9879") while the adapter sends digits, so then the digits of
// both are compared, through the indexes Kok_Tel1Digits and Kok_Tel2Digits
// over kv_tel_digits(Tel1) and kv_tel_digits(Tel2) in "010.mdb". An empty
// number, or one without digits for the second step, finds no one, and a
// placeholder ("新規作成中") is never a caller. Of several customers with
// the number the one with the lowest code is taken.
class CallerLookup {
public:
    explicit CallerLookup(data::Connection& connection);

    // Creates the two digit indexes where they are missing (once per data
    // folder; every computer keeps them up to date from then on). False
    // after an engine error: the lookup still works, only slower.
    bool install();

    enum class Result { Found, NotFound, Failed };
    // The customer's code and the texts a call keeps (no arrival) in *caller.
    Result find(const QString& number, data::CallInfoEntry* caller);

    const data::EngineError& lastError() const { return m_error; }

private:
    // The lowest code of the rows the condition admits; 0 none, -1 error.
    int lowestCode(const QByteArray& condition, const QByteArray& value);
    bool read(int code, data::CallInfoEntry* caller);
    QByteArray table(bool* ok);

    data::Connection& m_connection;
    data::EngineError m_error;
};

} // namespace kv::callerid
