#include "TestProgramDir.h"

#include "core/ConnectionString.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace ostrapel::test {

TestProgramDir::TestProgramDir() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    QDir(dir_.path()).mkpath(QStringLiteral("db"));
    if (!QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), databasePath()))
        throw std::runtime_error("cannot copy the delivered database");
    QFile::setPermissions(databasePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString TestProgramDir::connectionString() const {
    return ConnectionString::forSqliteFile(databasePath()).toString();
}

std::unique_ptr<Connection> TestProgramDir::connect(const QString& name) {
    auto c = std::make_unique<Connection>(name);
    c->open(connectionString());
    return c;
}

} // namespace ostrapel::test
