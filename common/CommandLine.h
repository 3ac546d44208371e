#pragma once

#include "common/KVCommonExport.h"

#include <QString>
#include <QStringList>

namespace kv {

// Splits a command line the way Windows programs receive it, so that command
// lines written for the Windows system start the same program with the same
// arguments here, without a shell: nothing in them (";", "|", "$") has a
// meaning beyond the quoting rules.
//   - the program is the text up to the first blank, or inside the leading
//     pair of double quotes (taken literally);
//   - arguments are separated by blanks outside double quotes; 2n
//     backslashes before a quote give n backslashes and the quote opens or
//     closes quoting, 2n+1 give n backslashes and a literal quote, "" inside
//     quotes is a literal quote, other backslashes are literal.
class KVCOMMON_EXPORT CommandLine {
public:
    // Program first, then the arguments; empty for a blank line.
    static QStringList split(const QString& commandLine);
};

} // namespace kv
