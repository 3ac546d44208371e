#pragma once

#include <QByteArray>
#include <QString>

namespace kv::data {

// "004.dat": the shop's own details (自社情報) and its default rates.
struct ShopDetails {
    static constexpr qsizetype kFileSize = 1024;
    static inline const QString kDefaultFont = QStringLiteral("ＭＳ Ｐゴシック");

    QString shopName;        // 自社名, 30 bytes
    QString address1;        // 40 bytes
    QString address2;        // 40 bytes
    QString telephone1;      // 16 bytes
    QString telephone2;      // 16 bytes
    QString business;        // 業務内容, 40 bytes
    QString slipNotice;      // 伝票案内, 500 bytes, several lines
    QString fontName = kDefaultFont; // 255 bytes
    qint32 labourRate = 0;   // 工賃ﾚﾊﾞﾚｰﾄ
    qint32 bodyWorkRate = 0; // 鈑金ﾚﾊﾞﾚｰﾄ
    QString bankAccount;     // 振込先, 40 bytes

    // An empty font field reads as the default font.
    static ShopDetails fromBytes(const QByteArray& bytes);
    // Empty with the refusal in *refusal when a text does not fit.
    QByteArray toBytes(QString* refusal = nullptr) const;
    bool operator==(const ShopDetails&) const = default;
};

} // namespace kv::data
