#pragma once

#include <QString>
#include <QStringView>

namespace ostrapel {

// The one order of texts in lists, reports and the export: without regard to
// case, and accented letters with their base letter ("Öztürk" among the O's),
// an accent deciding only between texts that are otherwise equal. Texts that
// differ in case only are equal. Pure ASCII texts compare exactly as SQLite's
// NOCASE compares them, so indexes built by the engine keep their order.
int compareTexts(QStringView a, QStringView b);

// The same comparison on UTF-8 bytes, as the engine hands them to a collation.
int compareUtf8Texts(const char* a, int lengthA, const char* b, int lengthB);

// The text with its case folded and its accents taken off its letters.
QString baseLetters(QStringView text);

// A key whose plain comparison (QString's operator<) gives the order of
// compareTexts, for sorting many texts with one conversion each.
QString textSortKey(QStringView text);

// Whether `text` matches the LIKE pattern without regard to case: "%" any
// run of characters, "_" one character; `escape`, when not null, makes the
// character after it stand for itself.
bool likeMatches(QStringView pattern, QStringView text, QChar escape = QChar());

} // namespace ostrapel
