#include "QtPrinterService.h"

#include "ShellTexts.h"

#include "paper/LinePages.h"
#include "paper/LinePdf.h"
#include "paper/PrintErrors.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace ostrapel {

using namespace PrintTexts;

bool QtPrinterService::hasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

int QtPrinterService::linesPerPage() {
    if (!hasPrinter()) return pdfLinesPerPage();
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.isValid()) throw PrintError(PrinterErrorText);
    return LinePages::standard().linesPerPage(printer);
}

void QtPrinterService::print(const QString& jobName, const QStringList& lines) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat) throw PrintError(PrintFout);
    printer.setDocName(jobName);
    LinePages::standard().paint(printer, lines);
}

void QtPrinterService::preview(const QString& jobName, const QStringList& lines, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobName);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgAfdrukvoorbeeld"));
    dialog.setWindowTitle(ShellTexts::AfdrukvoorbeeldTitle.arg(jobName));
    // Painting runs inside Qt's slots: the failure waits there until the dialog is closed.
    QString failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        try {
            LinePages::standard().paint(*target, lines);
        } catch (const OstrapelError& e) {
            failure = e.message();
        }
    });
    dialog.exec();
    if (!failure.isEmpty()) throw PrintError(failure);
}

} // namespace ostrapel
