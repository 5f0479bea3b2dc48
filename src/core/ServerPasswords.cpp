#include "ServerPasswords.h"

#include "ConnectionString.h"
#include "PasswordStore.h"
#include "PgpassFile.h"

namespace ostrapel {

namespace {

const QString kPassword = QStringLiteral("Password");

} // namespace

QString ServerPasswords::key(const ConnectionString& account) {
    const QString host = account.value(QStringLiteral("Host"));
    const QString port = account.value(QStringLiteral("Port"));
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(account.value(QStringLiteral("User ID")), host.isEmpty() ? QStringLiteral("localhost") : host,
             port.isEmpty() ? QStringLiteral("5432") : port, account.value(QStringLiteral("Database")));
}

QString ServerPasswords::withStoredPassword(const QString& connectionString) const {
    ConnectionString cs = ConnectionString::parse(connectionString);
    if (!cs.isPostgreSql() || !cs.value(kPassword).isEmpty()) return connectionString;
    const QString password = store_.read(key(cs));
    if (password.isEmpty()) return connectionString;
    cs.setValue(kPassword, password);
    return cs.toString();
}

ServerPasswords::Place ServerPasswords::keep(const ConnectionString& account, const QString& password) const {
    if (store_.write(key(account), password)) return Place::PasswordStore;
    if (PgpassFile().store(account, password)) return Place::PasswordFile;
    return Place::Nowhere;
}

} // namespace ostrapel
