#include "Startup.h"

#include "MainWindow.h"

#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "core/RunLog.h"
#include "core/Settings.h"
#include "core/StatementDatabase.h"
#include "import/ZipArchive.h"

namespace ostrapel {

int runProgram(const QString& programDir, PasswordStore& passwords, const ShellServices& services,
               const StartupHooks& hooks) {
    Prompts& prompts = services.prompts;
    try {
        Settings settings(programDir);
        StatementDatabase dm(settings, prompts, passwords);
        if (hooks.splashStatus) dm.setSplashStatusHandler(hooks.splashStatus);
        if (!dm.startUp(checkZipLibraries)) return 1;
        MainWindow main(dm, settings, services);
        if (main.startupRefused()) return 1;
        if (hooks.mainWindowReady) hooks.mainWindowReady(main);
        main.showAtStart();
        dm.setSplashStatusHandler({});
        if (hooks.splashDone) hooks.splashDone();
        return hooks.runLoop ? hooks.runLoop(main) : 0;
    } catch (const std::exception& e) {
        const QString message = errorMessage(e);
        try {
            writeRunLog(message, false, QString(), true);
        } catch (...) {
            // the program is ending already
        }
        if (hooks.splashDone) hooks.splashDone();
        prompts.error(message);
        return 1;
    }
}

} // namespace ostrapel
