#include "ReportRunner.h"

#include "TextViewerDialog.h"

#include "reports/ReportBuilder.h"
#include "reports/ReportTexts.h"

#include "core/Connection.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "paper/PrinterService.h"
#include "widgets/BusyCursor.h"
#include "widgets/ProgressWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace ostrapel {

ReportRunner::ReportRunner(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                           PrinterService& printer, QWidget* parent)
    : connection_(connection), catalogue_(catalogue), prompts_(prompts), printer_(printer), parent_(parent) {}

void ReportRunner::runStandard(ReportKind kind, const ReportInputs& inputs) {
    ReportBuilder data(connection_, catalogue_);
    data.inputs = inputs;
    run(data, kind, ReportTexts::standardTitle(kind), nullptr, 1);
}

void ReportRunner::runRenewal(CollectivityKey collectivity, InsuranceType type, const QString& from,
                              const QString& to) {
    try {
        ReportBuilder data(connection_, catalogue_);
        data.inputs.collectivity = collectivity;
        data.inputs.insuranceType = type;
        DataSet overview;
        {
            BusyCursor busy;
            overview = data.openRenewalDifferences(from, to);
        }
        run(data, ReportKind::Renewal, ReportTexts::renewalTitle(from, to), &overview, 0);
    } catch (const std::exception& e) {
        prompts_.error(errorMessage(e));
    }
}

void ReportRunner::run(ReportBuilder& data, ReportKind kind, const QString& title, DataSet* dataSet,
                       int source) {
    QString path;
    try {
        BusyCursor busy;
        const int pageLength = printer_.linesPerPage();
        ProgressWindow progress(parent_);
        path = data.buildReportFile(kind, title, dataSet, source, pageLength, QDir::tempPath(), progress);
    } catch (const std::exception& e) {
        prompts_.error(errorMessage(e));
        return;
    }
    TextViewerDialog viewer(prompts_, printer_, parent_);
    viewer.setWindowTitle(title);
    viewer.setSizeGripEnabled(true);
    viewer.setWindowState(Qt::WindowMaximized);
    viewer.loadFile(path);
    viewer.exec();
    QFile::remove(path);
}

} // namespace ostrapel
