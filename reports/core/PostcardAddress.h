#pragma once

#include <QString>
#include <QStringList>

namespace kv::data {
struct KokRow;
struct ShopDetails;
} // namespace kv::data

namespace kv::reports {

// What the address side of a postcard carries for one addressee.
struct PostcardAddress {
    int postalCode = 0; // 0: none
    QString address1;
    QString address2;
    QString name1;
    QString name2;
    int honorific = 0; // Sama: 0 none, 1 様, 2 殿, 3 御中

    static PostcardAddress fromCustomer(const data::KokRow& customer);
    // The seven digits of the postal code, one text each; none for 0.
    QStringList postalDigits() const;
    // The name on one line, or two when there is a second name line; the
    // honorific ends the last of them.
    QStringList nameLines() const;
    static QString honorificText(int honorific);
};

// The shop as the framed sender block prints it.
struct PostcardSender {
    QString shopName;
    QString address1;
    QString address2;
    QString telephone1;
    QString telephone2;
    QString fontFace; // the shop's print font, for its name

    static PostcardSender fromShop(const data::ShopDetails& shop);
    // "TEL " + telephone 1 + three blanks + telephone 2.
    QString telephoneLine() const;
};

} // namespace kv::reports
