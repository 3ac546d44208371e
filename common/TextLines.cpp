#include "common/Cp932.h"
#include "common/KVCommon.h"

#include <QIODevice>

namespace {

constexpr char EndOfFileMark = 0x1A;

// Position of the separator that ends the first field of rest. A comma
// between "(" and ")" belongs to the field, as in "b(c,d)"; an unclosed "("
// protects nothing.
qsizetype separatorPosition(const QString& rest, bool tabSeparated)
{
    if (tabSeparated)
        return rest.indexOf(QLatin1Char('\t'));
    qsizetype comma = rest.indexOf(QLatin1Char(','));
    qsizetype searchFrom = 0;
    while (comma >= 0) {
        const qsizetype open = rest.indexOf(QLatin1Char('('), searchFrom);
        if (open < 0 || open > comma)
            break;
        const qsizetype close = rest.indexOf(QLatin1Char(')'), open + 1);
        if (close < 0)
            break;
        searchFrom = close + 1;
        comma = rest.indexOf(QLatin1Char(','), searchFrom);
    }
    return comma;
}

} // namespace

extern "C" {

int GetCsvField(QString line, QString& field, int tabSeparated, int index)
{
    for (int i = 0; i <= index; ++i) {
        if (line.isEmpty())
            return 0;
        const qsizetype separator = separatorPosition(line, tabSeparated != 0);
        if (separator < 0) {
            field = line;
            line.clear();
        } else {
            field = line.left(separator);
            line.remove(0, separator + 1);
        }
    }
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return 1;
}

// Bytes 0xA1..0xDF are half-width katakana, whole characters on their own
// (the readings of every customer); only real lead bytes take a trail byte.
// The bytes CP932 leaves undefined (0x80, 0xA0, 0xFD..0xFF) are dropped
// alone, so that they cannot swallow the line end that follows them.
int GetTextLine(QIODevice& file, QString& line)
{
    QByteArray bytes;
    const auto finish = [&](bool lineRead) {
        line = kv::cp932::decode(bytes);
        return lineRead ? 1 : 0;
    };
    line.clear();
    char c = 0;
    if (!file.getChar(&c))
        return finish(!bytes.isEmpty());
    for (;;) {
        if (c == EndOfFileMark)
            return finish(!bytes.isEmpty());
        if (c == '\r') {
            if (!file.getChar(&c) || c == EndOfFileMark)
                return finish(false);
        }
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            return finish(true);
        if (kv::cp932::isLeadByte(byte)) {
            char trail = 0;
            if (!file.getChar(&trail) || trail == EndOfFileMark)
                return finish(false);
            if (kv::cp932::isLegalPair(byte, static_cast<unsigned char>(trail))) {
                bytes.append(c);
                bytes.append(trail);
            }
        } else if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) {
            bytes.append(c);
        }
        if (!file.getChar(&c))
            return finish(!bytes.isEmpty());
    }
}

} // extern "C"
