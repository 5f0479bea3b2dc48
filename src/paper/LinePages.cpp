#include "LinePages.h"

#include "PrintErrors.h"
#include "ReportFont.h"

#include "core/Encoding.h"

#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ostrapel {

using namespace PrintTexts;

namespace {

int pixels(double dpi, double cm) {
    return int(dpi / 2.54 * cm);
}

} // namespace

LinePages LinePages::standard() {
    LinePages pages;
    pages.font = reportFont();
    pages.font.setPointSize(8);
    pages.leftMargin = 1.0;
    pages.topMargin = 1.0;
    pages.bottomMargin = 2.0;
    return pages;
}

int LinePages::lineHeight(QPagedPaintDevice& device) const {
    const QFontMetrics metrics(font, &device);
    const int h = metrics.size(Qt::TextSingleLine, QStringLiteral("ZPKLj")).height();
    if (h <= 0) throw PrintError(PrinterErrorText);
    return int(1.1 * h);
}

int LinePages::linesPerPage(QPagedPaintDevice& device) const {
    const int height = device.pageLayout().paintRectPixels(device.logicalDpiY()).height();
    const int perPage =
        (height - pixels(device.logicalDpiY(), topMargin) - pixels(device.logicalDpiY(), bottomMargin)) /
        lineHeight(device);
    if (perPage <= 0) throw PrintError(PrinterErrorText);
    return perPage;
}

void LinePages::paint(QPagedPaintDevice& device, const QStringList& lines) const {
    if (lines.isEmpty()) throw NoTextToPrintError(GeenTekst);
    try {
        const int top = pixels(device.logicalDpiY(), topMargin);
        const int left = pixels(device.logicalDpiX(), leftMargin);
        const int perPage = linesPerPage(device);
        const int height = lineHeight(device);
        const QPageRanges ranges = device.pageRanges();
        QPainter painter;
        if (!painter.begin(&device)) throw PrintError(PrintFout);
        painter.setFont(font);
        const int ascent = QFontMetrics(font, &device).ascent();
        bool sheetUsed = false;
        for (int first = 0, page = 1; first < lines.size(); first += perPage, ++page) {
            // the user's page range: pages outside it take no sheet
            if (!ranges.isEmpty() && !ranges.contains(page)) continue;
            if (sheetUsed && !device.newPage()) throw PrintError(PrintFout);
            sheetUsed = true;
            int y = top;
            for (int i = first; i < lines.size() && i < first + perPage; ++i, y += height)
                painter.drawText(left, y + ascent, lines[i]);
        }
        if (!painter.end()) throw PrintError(PrintFout);
    } catch (...) {
        throw PrintError(PrintFout);
    }
}

QStringList readTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = decodeCp1252(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return lines;
}

} // namespace ostrapel
