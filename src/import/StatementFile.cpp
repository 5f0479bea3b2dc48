#include "StatementFile.h"

#include "core/Encoding.h"
#include "core/OstrapelError.h"

#include <QFile>

namespace ostrapel {

QStringList readStatementLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw OstrapelError(
            QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2").arg(path, f.errorString()));
    QByteArray bytes = f.readAll();
    const qsizetype eof = bytes.indexOf('\x1a');
    if (eof >= 0) bytes.truncate(eof);
    const QString text = decodeCp1252(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype cr = text.indexOf(u'\r', start);
        if (cr < 0) {
            lines << text.mid(start);
            break;
        }
        lines << text.mid(start, cr - start);
        start = cr + 1;
        if (start < n && text.at(start) == u'\n') ++start;
    }
    return lines;
}

} // namespace ostrapel
