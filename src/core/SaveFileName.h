#pragma once

#include <QString>

namespace ostrapel {

// File dialog filters as the program writes them: pairs of a description and
// its patterns, "Tekstfile|*.txt|PDF-bestand|*.pdf" (";" between patterns).

// The extension the filter's entry `index` gives a file ("txt"); empty for an
// entry of all files ("*.*") or an index out of range.
QString filterExtension(const QString& filter, int index);

// The extension a save dialog gives a name typed without one while entry
// `chosen` is selected: that entry's, or the first entry's when the chosen one
// has none (all files).
QString defaultExtension(const QString& filter, int chosen);

// A name confirmed in a save dialog with entry `chosen` of the filter selected;
// one without an extension gets the default extension.
QString completeSaveName(const QString& name, const QString& filter, int chosen);

} // namespace ostrapel
