#include "print/PrintFont.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace kv::print {

QString PrintFont::familyOf(const QString& face)
{
    static const QHash<QString, QString> families{
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},
    };
    const QString trimmed = face.trimmed();
    if (trimmed.isEmpty())
        return families.value(kGothic);
    return families.value(trimmed, trimmed);
}

int PrintFont::stretch() const
{
    if (width <= 0 || height <= 0)
        return 100;
    // A half-width character of the forms' fonts is half the cell wide.
    return std::clamp(int(std::lround(200.0 * width / height)), 1, 4000);
}

QFont PrintFont::toQFont() const
{
    QFont font;
    const QString family = familyOf(face);
    font.setFamilies({family, QStringLiteral("IPAPGothic")});
    font.setPixelSize(std::max(1, height));
    font.setBold(bold);
    font.setStretch(stretch());
    // Positions are tenths of a millimetre: no hinting to device pixels,
    // so a text is as wide on the preview as on paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::ForceOutline));
    font.setKerning(false);
    return font;
}

} // namespace kv::print
