// The desktop program: start-up in its fixed order, then the user-interface loop.
#include "OstrapelApplication.h"

#include "core/DataModule.h"
#include "core/DisplayFormat.h"
#include "core/RunLog.h"
#include "core/Settings.h"
#include "import/ZipArchive.h"
#include "shell/QtPrompts.h"
#include "shell/ShellTexts.h"
#include "shell/SingleInstanceGuard.h"
#include "shell/TDlgSplash.h"
#include "shell/TfrmMain.h"

#include <QFileInfo>

using namespace ostrapel;

int main(int argc, char** argv) {
    OstrapelApplication app(argc, argv);
    installProgramLocale();

    SingleInstanceGuard guard(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    if (!guard.CheckSingleInstance(1)) return 0;

    auto splash = std::make_unique<TDlgSplash>(TDlgSplash::Mode::Splash);
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setApplicationName(ShellTexts::AppTitle);
    QApplication::setApplicationDisplayName(ShellTexts::AppTitle);

    QtPrompts prompts;
    app.showError = [&prompts](const QString& message) { prompts.error(message); };
    int result = 1;
    try {
        TStaticSettings& settings = StaticSettings();
        TdatamodBorderel dm(settings, prompts);
        dm.setSplashStatusHandler([&splash](const QString& text) {
            if (splash) splash->setStatus(text);
        });
        if (!dm.DataModuleCreate(CheckZipLibraries)) return 1;
        {
            TfrmMain main(dm, settings, prompts);
            prompts.setParent(&main);
            QObject::connect(&guard, &SingleInstanceGuard::notified, &main, [&main](int kind, quint32) {
                if (kind == 1) main.BringToFront();
            });
            main.ShowAtStart();
            dm.setSplashStatusHandler({});
            splash.reset();
            result = QApplication::exec();
            prompts.setParent(nullptr);
        }
    } catch (const std::exception& e) {
        // An error that escapes start-up is logged, shown, and ends the program.
        const QString message = QString::fromStdString(e.what());
        try {
            WriteRunLog(message, false, QString(), true);
        } catch (...) {
        }
        splash.reset();
        prompts.error(message);
        result = 1;
    }
    DestroyStaticSettings(); // a restore of the defaults deletes the user file here
    return result;
}
