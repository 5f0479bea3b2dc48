#include "LinePdf.h"

#include "LinePages.h"

#include "core/FileWriter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace ostrapel {

namespace {

// An A4 sheet with Qt's PDF printer margins (10 points) at 1200 dots per inch,
// as the PDF of a machine without a printer has always been.
void setUp(QPdfWriter& pdf) {
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Point));
}

} // namespace

void writeLinesPdf(const QString& path, const QStringList& lines) {
    FileWriter writer(path);
    {
        QPdfWriter pdf(&writer.device());
        setUp(pdf);
        LinePages::standard().paint(pdf, lines);
    }
    writer.commit();
}

int pdfLinesPerPage() {
    QPdfWriter pdf(QString{});
    setUp(pdf);
    return LinePages::standard().linesPerPage(pdf);
}

} // namespace ostrapel
