#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel {

// The lines of a statement file: a line ends at CR, optionally followed by LF
// (a lone LF ends nothing), Ctrl-Z ends the text, and a last line without a
// terminator still counts. Windows-1252. Throws OstrapelError when the
// file cannot be read.
QStringList readStatementLines(const QString& path);

// The file's bytes up to a Ctrl-Z, undecoded; throws as above.
QByteArray readStatementBytes(const QString& path);
// Bytes as read, up to a Ctrl-Z.
QByteArray statementText(QByteArray bytes);
// The decoded lines of such bytes.
QStringList statementLines(QByteArrayView text);
// The lines of those bytes, by the same rules, as views into them.
std::vector<QByteArrayView> splitStatementLines(QByteArrayView text);

// Calls `take` with every line of `text` (a QStringView or QByteArrayView).
template <typename View, typename Take> void forEachStatementLine(View text, Take&& take) {
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r')
            ++end;
        take(text.sliced(start, end - start));
        if (end == n) break;
        start = end + 1;
        if (start < n && text[start] == u'\n') ++start;
    }
}

} // namespace ostrapel
