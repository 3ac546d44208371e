#include "app/frame/ApplicationFonts.h"

#include <QApplication>
#include <QFont>

namespace kv::app {

void ApplicationFonts::install()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
}

} // namespace kv::app
