#pragma once

#include <QDate>
#include <QString>

#include <vector>

namespace kv::records::search {

// What the panel holds while it serves as the query form: the value of
// each field of one half (customer or vehicle) under its column name, as
// the panel reads it for recording (numbers as stored: Haikiryo in
// hundredths, Post as its digits, list indexes, check boxes 0 or 1).
// Empty texts, zero numbers and invalid dates are no condition.
class QueryFormValues {
public:
    struct Text {
        QString column;
        QString value;
    };
    struct Number {
        QString column;
        int value = 0;
    };
    struct Date {
        QString column;
        QDate value;
    };

    void setText(const QString& column, const QString& value);
    void setNumber(const QString& column, int value);
    void setDate(const QString& column, const QDate& value);

    const std::vector<Text>& texts() const { return m_texts; }
    const std::vector<Number>& numbers() const { return m_numbers; }
    const std::vector<Date>& dates() const { return m_dates; }
    bool isEmpty() const { return m_texts.empty() && m_numbers.empty() && m_dates.empty(); }

private:
    std::vector<Text> m_texts;
    std::vector<Number> m_numbers;
    std::vector<Date> m_dates;
};

} // namespace kv::records::search
