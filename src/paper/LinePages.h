#pragma once

#include <QFont>
#include <QStringList>

class QPagedPaintDevice;

namespace ostrapel {

// Lines of text on paper: a fixed font, margins in centimetres, a new sheet
// every linesPerPage() lines, each line drawn as it is (no wrapping, no
// clipping). The printer, the preview and PDF files all page through this, so
// their pages are the same.
class LinePages {
public:
    // The report font at 8 points, margins of 1 cm left and top and 2 cm at the bottom.
    static LinePages standard();

    QFont font;
    double leftMargin = 1.0; // centimetres
    double topMargin = 1.0;
    double bottomMargin = 1.0;

    // Throws PrintError "Printer error" when the device cannot measure.
    int lineHeight(QPagedPaintDevice& device) const;
    int linesPerPage(QPagedPaintDevice& device) const;
    // Paints every page the device's page ranges select (all when none are
    // set). Throws NoTextToPrintError for no lines, PrintError "Print fout"
    // when the device fails.
    void paint(QPagedPaintDevice& device, const QStringList& lines) const;
};

// The lines of a Windows-1252 text file, without line ends; empty when it cannot be read.
QStringList readTextLines(const QString& path);

} // namespace ostrapel
