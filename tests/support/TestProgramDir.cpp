#include "TestProgramDir.h"

#include "core/ConnectionString.h"
#include "core/PostgreSqlSchema.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <stdexcept>

namespace ostrapel::test {

namespace {

QString serverString() {
    return qEnvironmentVariable("OSTRAPEL_TEST_POSTGRESQL");
}

// Runs one statement on the server's maintenance database.
void onServer(const QString& sql) {
    Connection server(QStringLiteral("test-server"));
    server.open(serverString());
    QSqlQuery q(server.database()); // as written: database commands are no Jet SQL
    if (!q.exec(sql)) throw std::runtime_error((q.lastError().text() + u'\n' + sql).toStdString());
}

QString databaseString(const QString& database) {
    ConnectionString cs = ConnectionString::parse(serverString());
    cs.setValue(QStringLiteral("Database"), database);
    return cs.toString();
}

bool templateMade = false;

// The test run's shared template, made once by CTest before the first case.
QString sharedTemplateName() {
    return qEnvironmentVariable("OSTRAPEL_TEST_PG_TEMPLATE");
}

void makeTemplate(const QString& name) {
    onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    onServer(QStringLiteral("CREATE DATABASE %1").arg(name));
    createDeliveredPostgreSqlDatabase(databaseString(name));
}

// The delivered database is built once per test run (or per test program when
// it runs on its own), then copied per folder.
QString templateDatabase() {
    static const QString name = [] {
        if (!sharedTemplateName().isEmpty()) return sharedTemplateName();
        const QString t = QStringLiteral("ostrapel_template_%1").arg(QCoreApplication::applicationPid());
        makeTemplate(t);
        templateMade = true;
        return t;
    }();
    return name;
}

QString uniqueDatabaseName() {
    static std::atomic<int> serial{0};
    return QStringLiteral("ostrapel_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
}

} // namespace

EmptyServerDatabase::EmptyServerDatabase() : name_(uniqueDatabaseName()) {
    onServer(QStringLiteral("CREATE DATABASE %1").arg(name_));
}

EmptyServerDatabase::~EmptyServerDatabase() {
    try {
        onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    } catch (...) {
    }
}

QString EmptyServerDatabase::connectionString() const {
    return databaseString(name_);
}

void dropTemplateDatabase() {
    if (!templateMade) return;
    try {
        onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(templateDatabase()));
    } catch (...) {
    }
}

void makeSharedTemplateDatabase() {
    if (usingPostgreSql() && !sharedTemplateName().isEmpty()) makeTemplate(sharedTemplateName());
}

void dropSharedTemplateDatabase() {
    if (usingPostgreSql() && !sharedTemplateName().isEmpty())
        onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(sharedTemplateName()));
}

bool usingPostgreSql() {
    return !serverString().isEmpty();
}

TestProgramDir::TestProgramDir() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    QDir(dir_.path()).mkpath(QStringLiteral("db"));
    if (!QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), databasePath()))
        throw std::runtime_error("cannot copy the delivered database");
    QFile::setPermissions(databasePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (usingPostgreSql()) {
        database_ = uniqueDatabaseName();
        onServer(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(database_, templateDatabase()));
        Settings(path()).setDatabaseConnectionString(connectionString());
    }
}

TestProgramDir::~TestProgramDir() {
    if (database_.isEmpty()) return;
    try {
        onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database_));
    } catch (...) {
    }
}

QString TestProgramDir::connectionString() const {
    if (!database_.isEmpty()) return databaseString(database_);
    return ConnectionString::forSqliteFile(databasePath()).toString();
}

std::unique_ptr<Connection> TestProgramDir::connect(const QString& name) {
    auto c = std::make_unique<Connection>(name);
    c->open(connectionString());
    return c;
}

} // namespace ostrapel::test
