#pragma once

#include <QString>

namespace kv::data {

// Shape of a list file: a fixed number of fixed-size records, record i being
// entry i, of which only the first textBytes bytes hold text.
struct ListLayout {
    const char* fileName;
    int entries;
    int recordSize;
    int textBytes;
    const char* caption; // the list's name in messages, and its LAN update kind

    qsizetype fileSize() const { return qsizetype(entries) * recordSize; }
    QString captionText() const { return QString::fromUtf8(caption); }

    static const ListLayout& transportOffices(); // "006.dat", 陸事
    static const ListLayout& vehicleClasses();   // "010.dat", 種別
    static const ListLayout& vehicleUses();      // "011.dat", 用途
    static const ListLayout& bodyShapes();       // "012.dat", 形状
    static const ListLayout& makes();            // "013.dat", 車名
    static const ListLayout& fuels();            // "014.dat", 燃料
};

} // namespace kv::data
