#pragma once

#include <QString>

namespace ostrapel {

// The database, its backups, exports, reports and the run log hold names,
// birth dates and insurance data: the program's files are for their owner and
// group only (the program folder's group, which the workstations' users share).

// Every file and folder this process creates leaves out the others (umask 007).
void keepNewFilesPrivate();
// Takes away what others may do with an existing file; left as it is when this
// user may not change it.
void withdrawOthersAccess(const QString& path);

} // namespace ostrapel
