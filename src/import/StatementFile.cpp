#include "StatementFile.h"

#include "core/Encoding.h"
#include "core/OstrapelError.h"

#include <QFile>
#include <cstring>

namespace ostrapel {

QByteArray statementText(QByteArray bytes) {
    const qsizetype eof = bytes.indexOf('\x1a');
    if (eof >= 0) bytes.truncate(eof);
    return bytes;
}

QByteArray readStatementBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw OstrapelError(
            QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2").arg(path, f.errorString()));
    return statementText(f.readAll());
}

QStringList statementLines(QByteArrayView text) {
    const QString decoded = decodeCp1252(text);
    QStringList lines;
    forEachStatementLine(QStringView(decoded), [&](QStringView line) { lines << line.toString(); });
    return lines;
}

QStringList readStatementLines(const QString& path) {
    return statementLines(readStatementBytes(path));
}

std::vector<QByteArrayView> splitStatementLines(QByteArrayView text) {
    // forEachStatementLine's rules, with the library's search for the line ends
    std::vector<QByteArrayView> lines;
    const char* start = text.data();
    const char* const end = start + text.size();
    while (start < end) {
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', size_t(end - start)));
        lines.emplace_back(start, (cr ? cr : end) - start);
        if (!cr) break;
        start = cr + 1;
        if (start < end && *start == '\n') ++start;
    }
    return lines;
}

} // namespace ostrapel
