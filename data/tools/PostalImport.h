#pragma once

#include <QString>

#include <vector>

namespace kv::data {

// Builds the five postal files of a program folder from Japan Post's
// codes, converted by scripts/postal into UTF-8 lines of four
// tab-separated fields: the seven-digit code, the prefecture number
// (1..47), the city and the town. Each row goes into its prefecture's
// table with the prefecture's name as Section1; rows keep the order of
// their codes, which the "ID" sort then gives back.
class PostalImport {
public:
    struct Row {
        QString post;
        int prefecture = 0;
        QString city;
        QString town;
    };

    // Reads and checks the whole file first, so that a bad line leaves no
    // postal file behind. Refuses when any postal file exists already.
    static bool import(const QString& programFolder, const QString& convertedFile,
                       QString* error = nullptr, int* rowCount = nullptr);

    // The rows of the converted text; false with the line named in *error
    // on the first malformed one.
    static bool parse(const QByteArray& text, std::vector<Row>& rows, QString* error);

private:
    static bool write(const QString& programFolder, const std::vector<Row>& rows, QString* error);
};

} // namespace kv::data
