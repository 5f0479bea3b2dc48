// The desktop program: start-up in its fixed order, then the user-interface loop.
#include "OstrapelApplication.h"

#include "core/DisplayFormat.h"
#include "core/KeychainPasswordStore.h"
#include "core/Paths.h"
#include "core/PrivateFiles.h"
#include "shell/AppIcon.h"
#include "shell/MainWindow.h"
#include "shell/QtDesktop.h"
#include "shell/QtPrinterService.h"
#include "shell/QtProgramHost.h"
#include "shell/QtPrompts.h"
#include "shell/QtTranslations.h"
#include "shell/ShellServices.h"
#include "shell/SingleInstanceGuard.h"
#include "shell/SplashDialog.h"
#include "shell/Startup.h"
#include "widgets/ExecDialogs.h"
#include "widgets/ShowPainted.h"

#include <QFileInfo>

using namespace ostrapel;

int main(int argc, char** argv) {
    keepNewFilesPrivate();
    OstrapelApplication app(argc, argv);
    installProgramLocale();
    installQtTranslations();

    SingleInstanceGuard guard(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    if (!guard.checkSingleInstance(1)) return 0;

    auto splash = std::make_unique<SplashDialog>(SplashDialog::Mode::Splash);
    showPainted(splash.get());
    setApplicationIdentity();

    QtPrompts prompts;
    QtPrinterService printer;
    QtDesktop desktop;
    app.showError = [&prompts](const QString& message) { prompts.error(message); };
    StartupHooks hooks;
    hooks.splashStatus = [&splash](const QString& text) {
        if (splash) splash->setStatus(text);
    };
    hooks.splashDone = [&splash] { splash.reset(); };
    hooks.mainWindowReady = [&](MainWindow& main) {
        prompts.setParent(&main);
        QObject::connect(&guard, &SingleInstanceGuard::notified, &main, [&main](int kind, quint32) {
            if (kind == 1) main.bringToFront();
        });
    };
    hooks.runLoop = [&prompts](MainWindow&) {
        const int rc = QApplication::exec();
        prompts.setParent(nullptr);
        return rc;
    };
    // The settings live as long as the run: a restore of the defaults deletes the user file at its end.
    KeychainPasswordStore passwords;
    ExecDialogs dialogs;
    QtProgramHost host;
    return runProgram(executableDir(), passwords, {prompts, printer, desktop, dialogs, host}, hooks);
}
