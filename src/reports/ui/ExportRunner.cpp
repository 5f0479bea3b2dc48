#include "ExportRunner.h"

#include "ExportDialog.h"
#include "ExportWizardDialog.h"

#include "reports/ReportBuilder.h"

#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "core/Settings.h"
#include "core/SystemClock.h"
#include "widgets/BusyCursor.h"

#include <QApplication>

namespace ostrapel {

ExportRunner::ExportRunner(Connection& connection, const RecordCatalogue& catalogue, Settings& settings,
                           Prompts& prompts, Desktop& desktop, QWidget* parent)
    : connection_(connection), catalogue_(catalogue), settings_(settings), prompts_(prompts),
      desktop_(desktop), parent_(parent) {}

void ExportRunner::run(const ReportInputs& inputs) {
    ExportWizardDialog wizard(catalogue_, settings_, prompts_, parent_);
    if (wizard.exec() != QDialog::Accepted) return;
    ReportBuilder data(connection_, catalogue_);
    data.inputs = inputs;
    try {
        BusyCursor busy;
        data.buildExportQuery(wizard.personFields(), wizard.componentFields());
    } catch (const std::exception& e) {
        prompts_.error(errorMessage(e));
        return;
    }
    ExportDialog dialog(data.exportData(), catalogue_, prompts_, desktop_, SystemClock::instance(),
                        settings_.programDir(), parent_);
    dialog.exec();
}

} // namespace ostrapel
