#pragma once

#include "paper/PrinterService.h"

namespace ostrapel::bench {

// A printer that prints nothing; reports get pages of 60 lines.
class NoPrinter : public PrinterService {
public:
    bool hasPrinter() override { return false; }
    int linesPerPage() override { return 60; }
    void print(const QString&, const QStringList&) override {}
    void preview(const QString&, const QStringList&, QWidget*) override {}
};

} // namespace ostrapel::bench
