#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

namespace kv::records {

// What an inspection certificate says, read from the reader application's
// file or from the paper certificate's codes. Texts are normalised (NFKC)
// but not yet cut to any field; an empty text or an invalid date is an item
// the source did not give. Items that were there but could not be read are
// named in unreadable, and stay empty.
struct CertificateData {
    QString plate; // transport office, class number, kana and serial
    QString chassis;
    QString engine;
    QString model; // 型式
    QString make;
    QDate registration;
    QDate firstRegistration; // day 1
    QDate expiry;
    QString kind;
    QString use;
    QString privateBusiness;
    QString shape;
    QString capacity;
    QString maxLoad;
    QString weight;
    QString grossWeight;
    QString length;
    QString width;
    QString height;
    std::array<QString, 4> axleWeights; // front-front, front-rear, rear-front, rear-rear
    QString displacement;
    QString fuel;
    QString designation; // 型式指定番号
    QString category;    // 類別区分番号
    QString ownerName;
    QString ownerAddress;
    QString userName;
    QString userAddress;
    QString baseOfUse;

    // Captions of the items present but unreadable (an impossible date).
    QStringList unreadable;
};

} // namespace kv::records
