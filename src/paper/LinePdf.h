#pragma once

#include <QStringList>

namespace ostrapel {

// Lines as an A4 PDF file on the standard layout (LinePages::standard()):
// the pages the program prints, with the text kept as text. Written whole or
// not at all; throws OstrapelError naming the file, or NoTextToPrintError.
void writeLinesPdf(const QString& path, const QStringList& lines);

// Lines per page of that PDF: the page length of reports where no printer says otherwise.
int pdfLinesPerPage();

} // namespace ostrapel
