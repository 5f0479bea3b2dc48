#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// The lines of a statement file: a line ends at CR, optionally followed by LF
// (a lone LF ends nothing), Ctrl-Z ends the text, and a last line without a
// terminator still counts. Windows-1252. Throws OstrapelError when the
// file cannot be read.
QStringList readStatementLines(const QString& path);

} // namespace ostrapel
