#pragma once

#include "reports/ReportInputs.h"

class QWidget;

namespace ostrapel {

class Connection;
class Desktop;
class Prompts;
class RecordCatalogue;
class Settings;

// "Excel export wizard ...": the wizard, the export query and the export dialog.
class ExportRunner {
public:
    ExportRunner(Connection& connection, const RecordCatalogue& catalogue, Settings& settings,
                 Prompts& prompts, Desktop& desktop, QWidget* parent);
    void run(const ReportInputs& inputs);

private:
    Connection& connection_;
    const RecordCatalogue& catalogue_;
    Settings& settings_;
    Prompts& prompts_;
    Desktop& desktop_;
    QWidget* parent_;
};

} // namespace ostrapel
