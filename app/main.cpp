#include "app/frame/ApplicationFonts.h"
#include "app/startup/CCarMaintenanceApp.h"
#include "common/QtTranslations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sabion.svg")));
    kv::app::ApplicationFonts::install();
    kv::QtTranslations::install();

    kv::app::CCarMaintenanceApp app;
    if (!app.InitInstance())
        return app.ExitInstance(0);
    return app.ExitInstance(application.exec());
}
