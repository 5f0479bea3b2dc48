#pragma once

#include "CollectivityFixture.h"
#include "RecordingPrinter.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrompts.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "core/Settings.h"
#include "reports/ui/CollectivityReports.h"

#include <memory>

namespace ostrapel::test {

// A collectivity window of collectivity 12 on the fixture's database, opened
// and shown as the main window opens one.
class WindowFixture : public CollectivityFixture {
protected:
    std::unique_ptr<CollectivityWindow> open(InsuranceType type = InsuranceType::Standard) {
        auto w = std::make_unique<CollectivityWindow>(*db, catalogue, prompts, printer, desktop, dialogs,
                                                      settings, reports);
        w->setWindowTitle(QStringLiteral("0012-1 SV: Bakkerij De Korenschoof BV"));
        w->setIdentity({12, 1}, type);
        w->loadWindowState();
        w->show();
        return w;
    }
    ScriptedPrompts prompts;
    RecordingPrinter printer;
    ScriptedDesktop desktop;
    ScriptedDialogs dialogs;
    Settings settings{dir.path()};
    CollectivityReports reports{catalogue, settings, prompts, printer, desktop};
};

} // namespace ostrapel::test
