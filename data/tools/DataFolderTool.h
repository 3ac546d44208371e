#pragma once

#include <QStringList>
#include <QTextStream>

namespace kv::data {

// The commands of sabion-datafolder:
//   create DIR      a fresh data folder
//   demo DIR        a fresh data folder with sample customers, vehicles and items
//   postal DIR --from FILE
//                   the postal files of a program folder from converted data
//   generate DIR [--customers N] [--vehicles N] [--slips N] [--lines N] [--seed N]
//                   a fresh data folder filled for benchmarks
class DataFolderTool {
public:
    enum ExitCode { Success = 0, Refused = 1, BadUsage = 2 };

    // arguments without the program name. Reports go to out, refusals and
    // failures to err.
    static int run(const QStringList& arguments, QTextStream& out, QTextStream& err);
    static QString usage();
};

} // namespace kv::data
