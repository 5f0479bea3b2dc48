#pragma once

#include <QStringList>

class QWidget;

namespace ostrapel {

// Where the program's printing goes: the default printer in the program
// (shell/QtPrinterService), a recording double in tests, so that no test ever
// reaches a real print queue. Lines are paged as LinePages::standard() pages them.
class PrinterService {
public:
    virtual ~PrinterService() = default;

    // False when the machine has no printer to print on.
    virtual bool hasPrinter() = 0;
    // Lines per sheet on the default printer: the page length of reports.
    virtual int linesPerPage() = 0;
    // Prints every line on the default printer as one job named `jobName`.
    // Throws NoTextToPrintError or PrintError.
    virtual void print(const QString& jobName, const QStringList& lines) = 0;
    // The print preview with the printer choice, page range and copies; it
    // prints when the user asks it to.
    virtual void preview(const QString& jobName, const QStringList& lines, QWidget* parent) = 0;
};

} // namespace ostrapel
