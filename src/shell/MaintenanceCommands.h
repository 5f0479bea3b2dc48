#pragma once

#include "ShellServices.h"

#include "maintenance/MaintenanceGuard.h"

#include <QString>
#include <functional>

class QWidget;

namespace ostrapel {

class StatementDatabase;
class PrinterService;
class Prompts;
class Settings;

// The main window's maintenance and information commands, and the update
// scripts of its start-up.
class MaintenanceCommands {
public:
    struct Hooks {
        MaintenanceGuard guard;
        std::function<void()> rebuildOpenList;          // after a clean-up
        std::function<void(const QString&)> showStatus; // what a clean-up removed
    };
    MaintenanceCommands(QWidget* parent, StatementDatabase& dataModule, Settings& settings,
                        const ShellServices& services, Hooks hooks)
        : parent_(parent), dm_(dataModule), settings_(settings), prompts_(services.prompts),
          printer_(services.printer), dialogs_(services.dialogs), host_(services.host),
          hooks_(std::move(hooks)) {}

    // Start-up: false when the program must end.
    bool runUpdateScripts();
    void writeProgramInfo();
    void cleanDatabase();    // "Database opschonen"
    bool compactAndRepair(); // "Database comprimeren en repareren", also the closing reminder's Yes
    void backupDatabase();   // "Database backup maken"
    void showSystemInfo();   // "Systeem informatie ..."

    // The running program's file; replaceable in tests.
    QString programFile;

private:
    QWidget* parent_;
    StatementDatabase& dm_;
    Settings& settings_;
    Prompts& prompts_;
    PrinterService& printer_;
    Dialogs& dialogs_;
    ProgramHost& host_;
    Hooks hooks_;
};

} // namespace ostrapel
