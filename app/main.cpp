#include "app/startup/CCarMaintenanceApp.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace {

// The forms name the fonts of the shop's original desktop; the IPA fonts
// stand in for them.
void substituteJapaneseFonts()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setApplicationDisplayName(QStringLiteral("サビオン"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sabion.svg")));
    substituteJapaneseFonts();
    QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));

    kv::app::CCarMaintenanceApp app;
    if (!app.InitInstance())
        return app.ExitInstance(0);
    return app.ExitInstance(application.exec());
}
