#pragma once

#include <QString>
#include <QStringList>

namespace kv::records::search {

// A range of readings (ﾌﾘｶﾞﾅ, half-width katakana of up to 20 bytes) in the
// CP932 byte order the customer table sorts them in, and the conditions
// that select it. The reading search takes a typed text as the start of the
// readings it finds; the reading index takes one kana row of the syllabary.
class ReadingRange {
public:
    static constexpr int kReadingBytes = 20;
    static constexpr int kKanaRows = 11;
    static constexpr int kOtherReadingsRow = 10;

    // Readings that begin with text: from the text itself up to the text
    // padded to 20 bytes with "ﾝ", the last reading character. An empty text
    // has an empty upper bound and so finds only empty readings.
    static ReadingRange startingWith(const QString& text);

    // The kana row of the index (0 ｱ行 ... 9 ﾜ行, 10 every other reading).
    // A row runs up to where the next row begins, so that readings with a
    // voiced mark after the row's last kana (ｺﾞﾄｳ, ﾄﾞｲ, ﾎﾟﾝﾏ: "ﾞ" and "ﾟ" sort
    // after "ﾝ") stay in their row instead of falling between rows.
    static ReadingRange kanaRow(int row);
    // The toolbar captions "ｱ(1)" ... "ﾜ(0)".
    static QStringList kanaRowCaptions();
    // The row chosen by a key: '1'..'9' rows 0..8, '0' row 9, '.' row 10;
    // -1 for other keys.
    static int kanaRowOfKey(QChar key);

    // The conditions on Furi, without the placeholder clause. A range whose
    // outside is wanted gives two conditions (below, above), each an index
    // range of its own; otherwise one.
    QStringList conditions() const;

    const QString& lower() const { return m_lower; }
    const QString& upper() const { return m_upper; }
    bool upperInclusive() const { return m_upperInclusive; }
    bool outside() const { return m_outside; }

    // Whether a reading lies in the range (the test the conditions express).
    bool contains(const QString& reading) const;

private:
    ReadingRange(QString lower, QString upper, bool upperInclusive, bool outside);

    QString m_lower;
    QString m_upper;
    bool m_upperInclusive = true;
    bool m_outside = false;
};

} // namespace kv::records::search
