#pragma once

#include <QString>

namespace ostrapel {

// A database file opened on a private connection, apart from the program's
// shared one, for work on the file as a whole. Throws DatabaseError.
class SqliteFile {
public:
    enum class Mode { ReadOnly, ReadWrite };
    SqliteFile(const QString& path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Writes a consistent, compacted copy to `destination`, which must not exist.
    void vacuumInto(const QString& destination);
    // The engine's own check; an empty list means the file is sound.
    QStringList integrityProblems();
    // True when no other connection holds a lock on the file right now.
    bool nobodyElseWriting();
    // Keeps every other connection from writing until this one closes; false
    // when another one is writing.
    bool holdWriteLock();

private:
    QString name_;
};

} // namespace ostrapel
