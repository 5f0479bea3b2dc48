#include "StatementFile.h"

#include "core/Encoding.h"
#include "core/OstrapelError.h"

#include <QFile>

namespace ostrapel {

QByteArray readStatementBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw OstrapelError(
            QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2").arg(path, f.errorString()));
    QByteArray bytes = f.readAll();
    const qsizetype eof = bytes.indexOf('\x1a');
    if (eof >= 0) bytes.truncate(eof);
    return bytes;
}

QStringList readStatementLines(const QString& path) {
    const QString text = decodeCp1252(readStatementBytes(path));
    QStringList lines;
    forEachStatementLine(QStringView(text), [&](QStringView line) { lines << line.toString(); });
    return lines;
}

std::vector<QByteArrayView> splitStatementLines(QByteArrayView text) {
    std::vector<QByteArrayView> lines;
    forEachStatementLine(text, [&](QByteArrayView line) { lines.push_back(line); });
    return lines;
}

} // namespace ostrapel
