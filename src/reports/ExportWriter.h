#pragma once

#include <QString>
#include <functional>

namespace ostrapel {

class DataSet;
class RecordCatalogue;

// Writes the visible fields of a data set as a spreadsheet file: the captions
// on the first line, one row per record. The ".xlsx" form is a workbook; any
// other name gets tab-separated Windows-1252 text with CR LF line ends.
class ExportWriter {
public:
    // Called every hundredth record with the rows written so far; false stops the export.
    using Progress = std::function<bool(int processed, int lines)>;

    ExportWriter(const RecordCatalogue& catalogue) : catalogue_(catalogue) {}

    // Writes the whole file; false when stopped. Throws OstrapelError when the file cannot be written.
    bool writeText(DataSet& data, const QString& path, const Progress& progress = {}) const;
    bool writeWorkbook(DataSet& data, const QString& path, const Progress& progress = {}) const;
    bool write(DataSet& data, const QString& path, const Progress& progress = {}) const;

private:
    const RecordCatalogue& catalogue_;
};

} // namespace ostrapel
