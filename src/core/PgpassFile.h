#pragma once

#include <QString>

namespace ostrapel {

class ConnectionString;

// The user's libpq password file (PGPASSFILE, else ~/.pgpass): where a server
// password is kept instead of a settings file, since libpq reads it for a
// connection string without one. Written whole with mode 0600.
class PgpassFile {
public:
    static QString defaultPath();
    explicit PgpassFile(QString path = defaultPath()) : path_(std::move(path)) {}

    // The password for the string's host, port, database and user, replacing
    // the line for those four; false when the file cannot be written.
    bool store(const ConnectionString& connection, const QString& password) const;

private:
    QString path_;
};

} // namespace ostrapel
