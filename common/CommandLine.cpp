#include "common/CommandLine.h"

namespace kv {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList CommandLine::split(const QString& commandLine)
{
    const QChar quote = QLatin1Char('"');
    const QChar backslash = QLatin1Char('\\');
    const qsizetype length = commandLine.size();
    qsizetype i = 0;
    while (i < length && isBlank(commandLine[i]))
        ++i;
    if (i >= length)
        return {};

    QString program;
    if (commandLine[i] == quote) {
        ++i;
        while (i < length && commandLine[i] != quote)
            program += commandLine[i++];
        if (i < length)
            ++i;
    } else {
        while (i < length && !isBlank(commandLine[i]))
            program += commandLine[i++];
    }
    QStringList parts{program};

    for (;;) {
        while (i < length && isBlank(commandLine[i]))
            ++i;
        if (i >= length)
            break;
        QString argument;
        bool quoted = false;
        while (i < length) {
            const QChar c = commandLine[i];
            if (c == backslash) {
                qsizetype count = 0;
                while (i < length && commandLine[i] == backslash) {
                    ++count;
                    ++i;
                }
                if (i < length && commandLine[i] == quote) {
                    argument += QString(count / 2, backslash);
                    if (count % 2) {
                        argument += quote;
                        ++i;
                    }
                } else {
                    argument += QString(count, backslash);
                }
                continue;
            }
            if (c == quote) {
                if (quoted && i + 1 < length && commandLine[i + 1] == quote) {
                    argument += quote;
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (!quoted && isBlank(c))
                break;
            argument += c;
            ++i;
        }
        parts.append(argument);
    }
    return parts;
}

} // namespace kv
