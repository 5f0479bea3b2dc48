#pragma once

#include <QString>

namespace ostrapel {

// Appends one line to the day's run log: base + "log/log" + yyyymmdd + ".txt".
// The base is `folder` when given (used as is, ending in "/"), else the program
// folder when `useProgramFolder`, else privateTempFolder(). The file is never
// reached through a symbolic link.
// Throws std::runtime_error when the folder or file cannot be written.
void writeRunLog(const QString& text, bool useProgramFolder = false, const QString& folder = {},
                 bool withTime = true);

// The user's own folder in the system's temporary folder ("ostrapel-" + user
// id, mode 0700, with a trailing "/"), made when missing. Throws
// std::runtime_error when that name is taken by anything else: a link, a file,
// or a folder of another user or open to others.
QString privateTempFolder();

} // namespace ostrapel
