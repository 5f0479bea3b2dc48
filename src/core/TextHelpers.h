#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// Token texts: tokens separated by one character; positions from 0. A separator
// right after the last token adds no token; one at the start adds an empty one.
int tokenCount(const QString& text, QChar sep);
QString tokenAt(const QString& text, QChar sep, int index);

QString valueOrName(const QString& name, const QStringList& list);
QString firstCommaItem(const QString& text);

// A hint "short|long": the tool tip shows the short part, the status bar the long
// part; a hint without "|" serves as both.
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

// A name shown as a menu item's text: its "&" doubled, so that it shows and
// is not taken for the item's shortcut letter.
QString menuText(const QString& name);

// Comma text as the settings files hold it: items separated by ",", an item
// with blanks, commas or quotes written in double quotes.
QStringList readCommaText(const QString& text);
QString writeCommaText(const QStringList& items);

} // namespace ostrapel
