#include "data/tools/DataFolderTool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int code = kv::data::DataFolderTool::run(arguments, out, err);
    out.flush();
    err.flush();
    return code;
}
