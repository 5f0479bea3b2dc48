#pragma once

#include "maintenance/MaintenanceGuard.h"

#include <QString>
#include <functional>

class QDialog;
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
        std::function<int(QDialog&)> runDialog;         // modal run of a dialog
        std::function<void()> rebuildOpenList;          // after a clean-up
        std::function<void(const QString&)> showStatus; // what a clean-up removed
        std::function<void(int code)> endProgram;       // after a failed backup
    };
    MaintenanceCommands(QWidget* parent, StatementDatabase& dataModule, Settings& settings, Prompts& prompts,
                        PrinterService& printer, Hooks hooks)
        : parent_(parent), dm_(dataModule), settings_(settings), prompts_(prompts), printer_(printer),
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
    Hooks hooks_;
};

} // namespace ostrapel
