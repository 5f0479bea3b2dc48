#include "CollectivityReports.h"

#include "ExportRunner.h"
#include "ReportRunner.h"

#include "collectivity/StatementState.h"
#include "reports/WindowReportInputs.h"

namespace ostrapel {

namespace {

ReportKind reportKind(WindowReports::Kind kind) {
    switch (kind) {
    case WindowReports::Kind::Collection:
        return ReportKind::Collection;
    case WindowReports::Kind::Selection:
        return ReportKind::Selection;
    case WindowReports::Kind::Correction:
        break;
    }
    return ReportKind::Correction;
}

} // namespace

void CollectivityReports::runStandard(Kind kind, StatementState& window, const QString& month,
                                      QWidget* parent) {
    const ReportKind report = reportKind(kind);
    ReportRunner(window.connection(), catalogue_, prompts_, printer_, parent)
        .runStandard(report, windowReportInputs(report, window, month));
}

void CollectivityReports::runRenewal(StatementState& window, const QString& from, const QString& to,
                                     QWidget* parent) {
    ReportRunner(window.connection(), catalogue_, prompts_, printer_, parent)
        .runRenewal(window.collectivity(), window.insuranceType(), from, to);
}

void CollectivityReports::runExportWizard(StatementState& window, QWidget* parent) {
    ExportRunner(window.connection(), catalogue_, settings_, prompts_, desktop_, parent)
        .run(windowExportInputs(window));
}

} // namespace ostrapel
