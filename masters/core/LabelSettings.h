#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {

// The label font as the profile keeps it (section "SealFont"): the fields of
// a Windows logical font and the point size.
struct LabelFont {
    int height = -12;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 128;
    int outPrecision = 3;
    int clipPrecision = 2;
    int quality = 1;
    int pitchAndFamily = 50;
    QString faceName = QStringLiteral("ＭＳ Ｐゴシック");
    int pointSize = 9;

    // Face name, a blank, the style and the point size.
    QString description() const;
    bool operator==(const LabelFont&) const = default;
};

// The label sheet and font of label printing, kept in the user's profile
// (sections "Seal" and "SealFont").
struct LabelProfile {
    QString maker = QStringLiteral("Ａ－ｏｎｅ");
    QString productNumber = QStringLiteral("28382");
    LabelFont font;

    static LabelProfile read();
    void write() const;
};

// The label sheets of the table Seal: its makers and each maker's product
// numbers, read through the document's recordset.
class LabelSheets {
public:
    explicit LabelSheets(data::CCarMaintenanceDoc& document);

    // Each maker once, in "Maker, Hinban" order; nullopt after a database
    // error (lastMessage()).
    std::optional<QStringList> makers();
    std::optional<QStringList> productNumbers(const QString& maker);
    // 0 the sheet exists, 1 no such maker, 2 the maker has no such product
    // number, -1 a database error.
    int check(const QString& maker, const QString& productNumber);
    // The Seal recordset back to no filter.
    void resetView();

    const QString& lastMessage() const { return m_lastMessage; }

private:
    data::CCarMaintenanceDoc& m_document;
    QString m_lastMessage;
};

} // namespace kv::masters
