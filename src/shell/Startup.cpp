#include "Startup.h"

#include "TfrmMain.h"

#include "core/DataModule.h"
#include "core/OstrapelError.h"
#include "core/RunLog.h"
#include "core/Settings.h"
#include "import/ZipArchive.h"

namespace ostrapel {

int RunProgram(Prompts& prompts, const StartupHooks& hooks) {
    try {
        TStaticSettings& settings = StaticSettings();
        TdatamodBorderel dm(settings, prompts);
        if (hooks.splashStatus) dm.setSplashStatusHandler(hooks.splashStatus);
        if (!dm.DataModuleCreate(CheckZipLibraries)) return 1;
        TfrmMain main(dm, settings, prompts);
        if (hooks.mainWindowReady) hooks.mainWindowReady(main);
        main.ShowAtStart();
        dm.setSplashStatusHandler({});
        if (hooks.splashDone) hooks.splashDone();
        return hooks.runLoop ? hooks.runLoop(main) : 0;
    } catch (const std::exception& e) {
        const QString message = ErrorMessage(e);
        try {
            WriteRunLog(message, false, QString(), true);
        } catch (...) {
            // the program is ending already
        }
        if (hooks.splashDone) hooks.splashDone();
        prompts.error(message);
        return 1;
    }
}

} // namespace ostrapel
