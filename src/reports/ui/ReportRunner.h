#pragma once

#include "reports/ReportInputs.h"

#include <QString>
#include <functional>

class QWidget;

namespace ostrapel {

class Connection;
class DataSet;
class ReportBuilder;
class PrinterService;
class Prompts;
class RecordCatalogue;
class TextViewerDialog;

// Starts a report from a window: the page length from the printer, the
// progress dialog while the report is built, the viewer, and the report file
// removed after viewing. Errors reach the user as a message.
class ReportRunner {
public:
    ReportRunner(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                 PrinterService& printer, QWidget* parent);

    // "Te incasseren bedragen", "Selectie eigen criteria" or "Correctiepremies".
    void runStandard(ReportKind kind, const ReportInputs& inputs);
    // "Prolongatieverschillen": `from` is the earlier month.
    void runRenewal(CollectivityKey collectivity, InsuranceType type, const QString& from, const QString& to);

private:
    void run(ReportBuilder& data, ReportKind kind, const QString& title, DataSet* dataSet, int source);

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    Prompts& prompts_;
    PrinterService& printer_;
    QWidget* parent_;
};

} // namespace ostrapel
