#pragma once

#include <QString>

namespace ostrapel {

// Appends one line to the day's run log: base + "log/log" + yyyymmdd + ".txt".
// The base is `folder` when given (used as is, ending in "/"), else the program
// folder when `useProgramFolder`, else the system's temporary folder.
// Throws std::runtime_error when the folder or file cannot be written.
void writeRunLog(const QString& text, bool useProgramFolder = false, const QString& folder = {},
                 bool withTime = true);

} // namespace ostrapel
