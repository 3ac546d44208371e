#include "common/QtTranslations.h"
#include "controls/MessageBoxGateway.h"
#include "uninstall/core/Uninstaller.h"
#include "uninstall/core/UninstallTexts.h"
#include "uninstall/platform/MimeDatabase.h"
#include "uninstall/ui/CSabdelDlg.h"

#include <QApplication>
#include <QIcon>

// The whole work runs before any event loop; the program ends with it.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("sabion")));
    kv::QtTranslations::install();
    kv::MessageBoxGateway messages(kv::uninstall::UninstallTexts::DialogTitle);
    kv::installMessageGateway(&messages);

    kv::uninstall::Uninstaller::Hooks hooks;
    hooks.confirm = [] { return kv::uninstall::CSabdelDlg().exec() == QDialog::Accepted; };
    hooks.refreshMime = kv::uninstall::refreshMimeDatabase;
    kv::uninstall::Uninstaller uninstaller(kv::uninstall::UserFolders::fromEnvironment(),
                                           std::move(hooks));
    const auto outcome = uninstaller.run();
    kv::installMessageGateway(nullptr);
    using Outcome = kv::uninstall::Uninstaller::Outcome;
    return outcome == Outcome::Completed || outcome == Outcome::AnotherUninstaller
                   || outcome == Outcome::Cancelled
               ? 0
               : 1;
}
