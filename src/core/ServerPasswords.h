#pragma once

#include <QString>

namespace ostrapel {

class ConnectionString;
class PasswordStore;

// Where a server password is kept instead of a settings file: the desktop's
// password store, or where none runs (a server without desktop, a scheduled
// job) the libpq password file, which libpq reads by itself for a string
// without a password.
class ServerPasswords {
public:
    enum class Place { PasswordStore, PasswordFile, Nowhere };

    explicit ServerPasswords(PasswordStore& store) : store_(store) {}

    // The store's key of the server account: postgresql://user@host:port/database.
    static QString key(const ConnectionString& account);
    // A server string without a password gets the one the store keeps for it.
    QString withStoredPassword(const QString& connectionString) const;
    Place keep(const ConnectionString& account, const QString& password) const;

private:
    PasswordStore& store_;
};

} // namespace ostrapel
