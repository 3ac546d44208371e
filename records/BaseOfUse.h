#pragma once

#include <QString>

namespace kv::records {

// 使用の本拠の位置: the marker "＊＊＊" in the first line stands for the
// user's address. Each rule takes the two lines as shown and the user's
// address lines and gives the lines to show.
class BaseOfUse {
public:
    struct Lines {
        QString first;
        QString second;
        bool operator==(const Lines&) const = default;
    };

    static QString marker();

    static Lines show(const Lines& stored, const Lines& userAddress);
    // Entering a line: the marker gives way to the address it stands for.
    static Lines enterFirst(const Lines& shown, const Lines& userAddress);
    static Lines enterSecond(const Lines& shown, const Lines& userAddress);
    static Lines leaveFirst(const Lines& shown, const Lines& userAddress);
    static Lines leaveSecond(const Lines& shown, const Lines& userAddress);
    // The lines written to the record.
    static Lines forRecording(const Lines& shown, const Lines& userAddress);
};

} // namespace kv::records
