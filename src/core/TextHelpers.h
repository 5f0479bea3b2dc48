#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// Token texts: tokens separated by one character; positions from 0. A separator
// right after the last token adds no token; one at the start adds an empty one.
QString PadLeft(const QString& text, QChar ch, int width);
QString NextToken(QString& text, QChar sep);
int TokenCount(const QString& text, QChar sep);
QString TokenAt(const QString& text, QChar sep, int index);

QString JoinNonEmpty(const QString& a, const QString& b, const QString& sep);
QString QualifiedFieldList(const QString& names, const QString& prefix);
void AppendWithSeparator(QString& text, const QString& part, const QString& sep, bool before);
inline QString IfThenText(bool flag, const QString& a, const QString& b) {
    return flag ? a : b;
}
int MoveListItem(QStringList& list, int index, int offset);
QString ValueOrName(const QString& name, const QStringList& list);
QString FirstCommaItem(const QString& text);

// A hint "short|long": the tool tip shows the short part, the status bar the long
// part; a hint without "|" serves as both.
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

// Comma text as Delphi writes and reads it: items separated by ",", an item
// with blanks, commas or quotes written in double quotes.
QStringList ReadCommaText(const QString& text);
QString WriteCommaText(const QStringList& items);

} // namespace ostrapel
