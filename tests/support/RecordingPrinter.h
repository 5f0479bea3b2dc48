#pragma once

#include "paper/LinePdf.h"
#include "paper/PrintErrors.h"
#include "paper/PrinterService.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel::test {

// A printer that prints nothing: it records every job and preview, so that
// no test reaches a real print queue. The page length is the PDF page's
// unless a test sets one; `installed = false` plays a machine without printers.
class RecordingPrinter : public PrinterService {
public:
    struct Job {
        QString name;
        QStringList lines;
        bool preview = false;
    };

    bool hasPrinter() override { return installed; }
    int linesPerPage() override { return pageLength > 0 ? pageLength : pdfLinesPerPage(); }
    void print(const QString& jobName, const QStringList& lines) override {
        if (!failure.isEmpty()) throw PrintError(failure);
        jobs.push_back({jobName, lines, false});
    }
    void preview(const QString& jobName, const QStringList& lines, QWidget*) override {
        jobs.push_back({jobName, lines, true});
    }

    bool installed = true;
    int pageLength = 0;
    QString failure; // when set, print() fails with it
    std::vector<Job> jobs;
};

} // namespace ostrapel::test
