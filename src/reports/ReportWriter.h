#pragma once

#include "core/Clock.h"

#include <QString>

class QIODevice;

namespace ostrapel {

class DataSet;
class RecordCatalogue;

// Lays out a text report of fixed-width lines: cells appended to a line buffer,
// lines and rules written to the report file, page headers and footers counted
// against the page length.
class ReportWriter {
public:
    static constexpr int kLineWidth = 110;
    static constexpr QChar kMacron = QChar(0x00AF);
    enum Alignment { Left = 0, Right = 1, LeftUntrimmed = 2 };

    // `clock` gives the time the footers show.
    ReportWriter(QIODevice& out, const RecordCatalogue& catalogue, int pageLength, const Clock& clock);

    void appendText(const QString& text, int alignment, int width, int extra);
    // A cell from a field of the data set's current row, by the field's type.
    void appendField(const DataSet& data, const QString& fieldName, int alignment, int width, int extra);
    // An amount, right-aligned: "1.234,50 " or "12,00-".
    void appendAmount(double value, int width);
    void writeLine();
    void writeRule(QChar character);
    // `collectivity` is the current row of a bord00 query or null; a non-empty
    // `period` is shown instead of the row's ID03.
    void writePageHeader(const QString& title, const DataSet* collectivity, bool showPeriod,
                         const QString& period = {});
    void writePageFooter(int pageNumber);
    void writeEndMarker();
    // Footer of the page being left (from page 1 on), then the next page's header.
    void newPage(const QString& title, const DataSet* collectivity, bool showPeriod,
                 const QString& period = {});

    // The text a field gives in a report cell (coded values decoded).
    QString fieldText(const DataSet& data, const QString& fieldName) const;

    QString& lineBuffer() { return buffer_; }
    int lineCount() const { return lineCount_; }
    void setLineCount(int n) { lineCount_ = n; }
    int pageNumber() const { return pageNumber_; }
    void setPageNumber(int n) { pageNumber_ = n; }
    int pageLength() const { return pageLength_; }

private:
    void appendCell(QString text, int alignment, int width, int extra);
    void put(const QString& line);

    QIODevice& out_;
    const RecordCatalogue& catalogue_;
    int pageLength_;
    QString buffer_;
    int lineCount_ = 0;
    int pageNumber_ = 0;
    const Clock& clock_;
};

} // namespace ostrapel
