#pragma once

#include "paper/PrinterService.h"

namespace ostrapel {

// The desktop's printers: the default printer for "&Printen" and for the page
// length of reports, Qt's print preview for "&Afdrukvoorbeeld ...".
class QtPrinterService : public PrinterService {
public:
    bool hasPrinter() override;
    // Without a printer, the length of a PDF page.
    int linesPerPage() override;
    void print(const QString& jobName, const QStringList& lines) override;
    void preview(const QString& jobName, const QStringList& lines, QWidget* parent) override;
};

} // namespace ostrapel
