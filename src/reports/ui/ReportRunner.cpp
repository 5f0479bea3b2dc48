#include "ReportRunner.h"

#include "ProgressDialog.h"
#include "TextViewerDialog.h"

#include "reports/ExportData.h"
#include "reports/ReportTexts.h"

#include "core/Connection.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "paper/PrinterService.h"
#include "widgets/BusyCursor.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace ostrapel {

ReportRunner::ReportRunner(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                           PrinterService& printer, QWidget* parent)
    : connection_(connection), catalogue_(catalogue), prompts_(prompts), printer_(printer), parent_(parent) {}

void ReportRunner::runStandard(ReportKind kind, const ReportInputs& inputs) {
    ExportData data(connection_, catalogue_);
    data.inputs = inputs;
    run(data, kind, ReportTexts::standardTitle(kind), nullptr, 1);
}

void ReportRunner::runRenewal(int collNr, int collVolgNr, int verzType, const QString& from,
                              const QString& to) {
    try {
        ExportData data(connection_, catalogue_);
        data.inputs.collNr = collNr;
        data.inputs.collVolgNr = collVolgNr;
        data.inputs.verzType = verzType;
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

void ReportRunner::run(ExportData& data, ReportKind kind, const QString& title, DataSet* dataSet,
                       int source) {
    QString path;
    try {
        BusyCursor busy;
        const int pageLength = printer_.linesPerPage();
        ProgressDialog progress(parent_);
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
