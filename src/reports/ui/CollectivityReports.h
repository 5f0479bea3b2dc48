#pragma once

#include "collectivity/ui/WindowReports.h"

namespace ostrapel {

class Desktop;
class PrinterService;
class Prompts;
class RecordCatalogue;
class Settings;

// The reports and the export of a collectivity window, on the window's own
// connection and with the program's services.
class CollectivityReports : public WindowReports {
public:
    CollectivityReports(const RecordCatalogue& catalogue, Settings& settings, Prompts& prompts,
                        PrinterService& printer, Desktop& desktop)
        : catalogue_(catalogue), settings_(settings), prompts_(prompts), printer_(printer),
          desktop_(desktop) {}

    void runStandard(Kind kind, StatementState& window, const QString& month, QWidget* parent) override;
    void runRenewal(StatementState& window, const QString& from, const QString& to, QWidget* parent) override;
    void runExportWizard(StatementState& window, QWidget* parent) override;

private:
    const RecordCatalogue& catalogue_;
    Settings& settings_;
    Prompts& prompts_;
    PrinterService& printer_;
    Desktop& desktop_;
};

} // namespace ostrapel
