#pragma once

#include <QFont>
#include <QString>

namespace kv::print {

// A font as the forms name it: a face and a cell height and average
// character width in tenths of a millimetre. The forms' faces are drawn in
// the IPA fonts; the average width is reached by stretching, taking a
// half-width character as half the cell height wide.
struct PrintFont {
    static inline const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
    static inline const QString kMincho = QStringLiteral("ＭＳ 明朝");

    QString face = kGothic;
    int height = 40;
    int width = 0; // 0: the face's own width
    bool bold = false;

    // The installed family that draws a face: IPAPGothic for ＭＳ Ｐゴシック,
    // IPAMincho for ＭＳ 明朝 (and their fixed and proportional sisters);
    // any other face stands for itself.
    static QString familyOf(const QString& face);
    // The font for a painter in tenths of a millimetre. A face that is not
    // installed falls back to IPAPGothic.
    QFont toQFont() const;
    // Stretch in percent for the width (100 when none is asked).
    int stretch() const;
};

} // namespace kv::print
