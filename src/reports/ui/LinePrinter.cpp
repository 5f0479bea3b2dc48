#include "LinePrinter.h"

#include "PrintErrors.h"

#include "reports/ReportTexts.h"

#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ostrapel {

using namespace ReportTexts;

LinePrinter::LinePrinter() = default;
LinePrinter::~LinePrinter() = default;

bool LinePrinter::hasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void LinePrinter::setPdfOutput(const QString& path) {
    pdfPath_ = path;
    printer_.reset();
}

QPrinter& LinePrinter::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!pdfPath_.isEmpty() || !hasPrinter()) {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setPageSize(QPageSize(QPageSize::A4));
            // written beside the file and put in place once whole
            printer_->setOutputFileName(pdfPath_.isEmpty() ? QString() : pdfPath_ + QStringLiteral(".part"));
        }
    }
    return *printer_;
}

int LinePrinter::verticalPixels(double cm) {
    return int(printer().logicalDpiY() / 2.54 * cm);
}

int LinePrinter::lineHeight() {
    QPrinter& p = printer();
    if (!p.isValid()) throw PrintError(PrinterErrorText);
    const QFontMetrics metrics(font, &p);
    const int h = metrics.size(Qt::TextSingleLine, QStringLiteral("ZPKLj")).height();
    if (h <= 0) throw PrintError(PrinterErrorText);
    return int(1.1 * h);
}

int LinePrinter::linesPerPage() {
    const int height = printer().pageLayout().paintRectPixels(printer().resolution()).height();
    return (height - verticalPixels(topMargin) - verticalPixels(bottomMargin)) / lineHeight();
}

void LinePrinter::print() {
    if (!fileName.isEmpty() && QFileInfo::exists(fileName)) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) throw PrintError(PrintFout);
        QStringList text = decodeCp1252(file.readAll()).split(u'\n');
        if (!text.isEmpty() && text.last().isEmpty()) text.removeLast();
        for (QString& line : text)
            if (line.endsWith(u'\r')) line.chop(1);
        printLines(text);
        return;
    }
    if (lines.isEmpty()) throw NoTextToPrintError(GeenTekst);
    printLines(lines);
}

void LinePrinter::printLines(const QStringList& text) {
    if (!pdfPath_.isEmpty()) {
        FileWriter::refuseUnlessRegular(pdfPath_);
        const QString part = pdfPath_ + QStringLiteral(".part");
        try {
            paint(text);
        } catch (...) {
            QFile::remove(part);
            throw;
        }
        FileWriter::placeFile(part, pdfPath_, PdfTrailer);
        return;
    }
    paint(text);
}

void LinePrinter::paint(const QStringList& text) {
    try {
        const int top = verticalPixels(topMargin);
        const int left = int(printer().logicalDpiX() / 2.54 * leftMargin);
        const int perPage = linesPerPage();
        const int height = lineHeight();
        QPainter painter;
        if (!painter.begin(&printer())) throw PrintError(PrintFout);
        painter.setFont(font);
        const int ascent = QFontMetrics(font, &printer()).ascent();
        int y = top;
        for (int i = 0; i < text.size(); ++i) {
            if (i > 0 && i % perPage == 0) {
                if (!printer().newPage()) throw PrintError(PrintFout);
                y = top;
            }
            painter.drawText(left, y + ascent, text[i]);
            y += height;
        }
        if (!painter.end()) throw PrintError(PrintFout);
    } catch (const NoTextToPrintError&) {
        throw;
    } catch (...) {
        throw PrintError(PrintFout);
    }
}

} // namespace ostrapel
