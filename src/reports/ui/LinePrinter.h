#pragma once

#include <QFont>
#include <QStringList>
#include <memory>

class QPrinter;

namespace ostrapel {

// Puts lines of text on paper with fixed margins, a new sheet every
// linesPerPage() lines, on the default printer. Without a printer (or when
// asked) it writes an A4 PDF file instead, so reports still get a page length.
class LinePrinter {
public:
    LinePrinter();
    virtual ~LinePrinter();

    QFont font;
    QStringList lines;       // printed when no file is given
    QString fileName;        // text file to print (Windows-1252)
    double leftMargin = 1.0; // centimetres
    double topMargin = 1.0;
    double bottomMargin = 1.0;

    static bool hasPrinter();
    // Prints into this PDF file instead of on the printer.
    void setPdfOutput(const QString& path);

    // Throws PrintError "Printer error" when the printer cannot measure.
    int lineHeight();
    int linesPerPage();
    // Throws NoTextToPrintError when there is nothing to print, PrintError otherwise.
    void print();

private:
    QPrinter& printer();
    int verticalPixels(double cm);
    void printLines(const QStringList& text);
    void paint(const QStringList& text);

    std::unique_ptr<QPrinter> printer_;
    QString pdfPath_;
};

} // namespace ostrapel
