#pragma once

#include <QString>

#include <optional>

namespace kv::reports {

// A range of readings (ﾌﾘｶﾞﾅ, up to 20 bytes) in the CP932 order the customer
// table sorts them in. The upper bound takes in every reading that begins
// with what was typed: padding it with "ﾝ" would lose the readings with a
// voiced mark after the typed text (ｶﾞｯｺｳ for ｶ), since "ﾞ" and "ﾟ" sort
// after "ﾝ". The range therefore ends below the first text that no longer
// begins with the upper bound.
class ReadingBounds {
public:
    static constexpr int kReadingBytes = 20;

    // from and to as typed, each cut to 20 bytes. An empty upper bound
    // admits only readings up to the empty text.
    ReadingBounds(const QString& from, const QString& to);

    const QString& from() const { return m_from; }
    const QString& to() const { return m_to; }
    // The condition on Furi, without the placeholder clause.
    QString condition() const;
    // Whether a reading lies in the range (the test the condition expresses).
    bool contains(const QString& reading) const;

    // The smallest text above every text that begins with prefix, in CP932
    // order; none when prefix begins with the last character there is (or
    // prefix is empty).
    static std::optional<QString> pastPrefix(const QString& prefix);

private:
    QString m_from;
    QString m_to;
    std::optional<QString> m_past; // exclusive upper bound, when there is one
};

} // namespace kv::reports
