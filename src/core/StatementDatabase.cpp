#include "StatementDatabase.h"

#include "ConnectionString.h"
#include "DataSet.h"
#include "DatabaseError.h"
#include "PgpassFile.h"
#include "ProgressReporter.h"
#include "RecordField.h"
#include "Settings.h"
#include "SharedQueries.h"
#include "SqlFragments.h"
#include "Transaction.h"

#include <QFile>
#include <QFileInfo>

namespace ostrapel {

using namespace DataModuleTexts;

namespace {

OstrapelError markerError(const QFile& file) {
    return OstrapelError(QStringLiteral("Het bestand \"%1\" kan niet worden geschreven: %2")
                             .arg(file.fileName(), file.errorString()));
}

} // namespace

namespace {

const QString kPassword = QStringLiteral("Password");

} // namespace

StatementDatabase::StatementDatabase(Settings& settings, Prompts& prompts, PasswordStore& passwords)
    : settings_(settings), prompts_(prompts), passwords_(passwords) {}

QString StatementDatabase::databasePath() const {
    return settings_.programDir() + QStringLiteral("db/borderel.db");
}

QString StatementDatabase::configuredConnectionString() const {
    if (!connectionOverride_.isEmpty()) return connectionOverride_;
    const QString shared = settings_.databaseConnectionString();
    if (!shared.isEmpty()) return shared;
    return ConnectionString::forSqliteFile(databasePath()).toString();
}

bool StatementDatabase::startUp(const std::function<ZipCheck()>& checkZip) {
    if (checkZip) {
        switch (checkZip()) {
        case ZipCheck::CompressFailed:
            prompts_.inform(ZipLibraryFailed);
            return false;
        case ZipCheck::DecompressFailed:
            prompts_.inform(UnzipLibraryFailed);
            return false;
        case ZipCheck::Ok:
            break;
        }
    }
    for (const QString& file : settings_.refusedFiles())
        prompts_.warn(SettingsFileTooLarge.arg(file));
    const QString configured = configuredConnectionString();
    // for information only; a password stays out of it
    settings_.setConnectionStringInUse(ConnectionString::parse(configured).withoutPassword());
    connectionString_ = passwords_.withStoredPassword(configured);
    connection_.close();
    if (!connectWithRetry()) return false;
    tableNames_ = connection_.tableNames();
    return true;
}

bool StatementDatabase::connectWithRetry() {
    int editorUses = 0;
    bool edited = false;
    bool passwordTyped = false;
    for (;;) {
        try {
            connection_.open(connectionString_);
            connectionFailure_.clear();
            keepWorkingString(edited, passwordTyped);
            return true;
        } catch (const DatabaseError& e) {
            connectionFailure_ = e.message();
        }
        if (!prompts_.askYesNo(MsgType::Error, noConnectionQuestion(connectionFailure_))) return false;
        ++editorUses;
        if (editorUses <= 3) {
            // The editor never gets a password; left alone, the one in use stays.
            const ConnectionString current = ConnectionString::parse(connectionString_);
            const QString inUse = current.value(kPassword);
            if (auto edit = prompts_.editConnectionString(current.withoutPassword(), !inUse.isEmpty())) {
                ConnectionString next = ConnectionString::parse(edit->connectionString);
                if (!edit->newPassword.isEmpty()) next.setValue(kPassword, edit->newPassword);
                if (!next.value(kPassword).isEmpty())
                    passwordTyped = true;
                else if (!inUse.isEmpty())
                    next.setValue(kPassword, inUse);
                connectionString_ = next.toString();
                edited = true;
            }
            continue;
        }
        if (!prompts_.askYesNo(MsgType::Confirmation, ThreeTimes)) return false;
        editorUses = 0;
    }
}

void StatementDatabase::keepWorkingString(bool edited, bool passwordTyped) {
    const ConnectionString used = ConnectionString::parse(connectionString_);
    const QString password = used.value(kPassword);
    const ConnectionString configured = ConnectionString::parse(configuredConnectionString());
    const bool keepPassword = !password.isEmpty() && used.isPostgreSql();
    // An edited string that works is offered for the computer settings, always
    // without its password: that goes to the password store.
    if (edited && used.withoutPassword() != configured.withoutPassword()) {
        if (!prompts_.askYesNo(MsgType::Confirmation, StoreConnectionString)) return;
        if (keepPassword && passwords_.keep(used, password) == ServerPasswords::Place::Nowhere)
            prompts_.warn(PasswordNotKept.arg(PgpassFile::defaultPath()));
        settings_.setDatabaseConnectionString(used.withoutPassword());
        return;
    }
    // The settings' own account: a password typed in the editor goes to the
    // store, and one an earlier version left in the settings file moves there.
    if (!connectionOverride_.isEmpty() || !keepPassword) return;
    const bool inSettingsFile = !configured.value(kPassword).isEmpty();
    if (!passwordTyped && !inSettingsFile) return;
    const ServerPasswords::Place place = passwords_.keep(used, password);
    if (place == ServerPasswords::Place::Nowhere) {
        if (passwordTyped) prompts_.warn(PasswordNotKept.arg(PgpassFile::defaultPath()));
        return; // one in the settings file stays there and keeps working
    }
    if (inSettingsFile) settings_.setDatabaseConnectionString(used.withoutPassword());
}

int StatementDatabase::getDatabaseVersion() {
    if (!tableNames_.contains(QStringLiteral("VERSIECTRL"), Qt::CaseInsensitive)) return 0;
    try {
        const QVariant v = connection_.scalar(SharedQueries::DatabaseVersionQuery);
        bool ok = false;
        const int version = v.toInt(&ok);
        return ok ? version : -1;
    } catch (const DatabaseError&) {
        return -1;
    }
}

bool StatementDatabase::collectivityExists(CollectivityKey key, InsuranceType type) {
    const QString types = typeCodeList(type);
    // The first row of the join answers: counting it all would read a row per
    // person and month, millions in a big collectivity.
    const QString sql =
        QStringLiteral("select a.ID01  from bord00 a, bord10 b  where a.ID01 = "
                       ":CollNr and a.ID02 = :CollVolgNr and a.ID01 = b.ID01 and a.ID02 = b.ID02 "
                       " AND [1024] in (") +
        types + QStringLiteral(")");
    // A database that cannot answer is not a collectivity that is gone: the
    // error goes to the caller.
    auto statement = connection_.prepareNew(sql);
    statement->bind({{QStringLiteral("CollNr"), key.number}, {QStringLiteral("CollVolgNr"), key.sequence}});
    statement->exec();
    return statement->next();
}

void StatementDatabase::convertToEuro(ProgressReporter& progress) {
    const QString valuta = QStringLiteral("ValutaSoort");
    if (connection_.query(SharedQueries::qryEuro, {{valuta, QStringLiteral("EUR")}}).isEmpty()) return;
    DataSet guilders = connection_.query(SharedQueries::qryEuro, {{valuta, QStringLiteral("HFL")}});
    if (guilders.isEmpty()) return;

    Transaction transaction(connection_);
    progress.begin(EuroTitle);
    try {
        int done = 0;
        for (guilders.first(); !guilders.eof(); guilders.next()) {
            const QVariantMap key = {
                {Field::CollectivityNumber, guilders.value(Field::CollectivityNumber).toInt()},
                {Field::CollectivitySequence, guilders.value(Field::CollectivitySequence).toInt()},
                {Field::Period, guilders.value(Field::Period).toString()}};
            for (const QString* cmd : {&SharedQueries::cmdBord99ToEuro, &SharedQueries::cmdBord50ToEuro,
                                       &SharedQueries::cmdBord10ToEuro, &SharedQueries::cmdBord00ToEuro})
                connection_.execute(*cmd, key);
            progress.step(EuroTitle, ++done, guilders.recordCount());
        }
    } catch (const DatabaseError& e) {
        progress.end();
        // the transaction rolls back: nothing is converted, and the user is told why
        prompts_.error(EuroFailed.arg(e.message()));
        return;
    }
    progress.end();
    transaction.commit();
    prompts_.warn(EuroDone);
}

void StatementDatabase::repairCatalogueAndIndex() {
    // Written only when a row differs: an update, even of no row, takes the
    // write lock, so every start would wait behind another's import.
    auto repair = [this](const char* soort, const char* veldnr, const QString& pickList,
                         const QString& update) {
        if (connection_
                .scalar(SharedQueries::PickListDiffers,
                        {{QStringLiteral("soort"), QString::fromLatin1(soort)},
                         {QStringLiteral("veldnr"), QString::fromLatin1(veldnr)},
                         {QStringLiteral("picklist"), pickList}})
                .toInt() > 0)
            connection_.execute(update);
    };
    repair("10", "24", SharedQueries::PickList1024, SharedQueries::RepairPickList1024);
    repair("50", "02", SharedQueries::PickList5002, SharedQueries::RepairPickList5002);
    for (const QString& index : {SharedQueries::CreateIndex1024, SharedQueries::CreateIndexId07,
                                 SharedQueries::CreateIndexComponentSet}) {
        // Asked first: a server locks the table for a CREATE INDEX even when the
        // index exists, and would make the start wait behind another's import.
        const QString name = index.simplified().section(u' ', 2, 2);
        try {
            if (!connection_.hasIndex(name)) connection_.execute(index);
        } catch (const DatabaseError&) {
            // normally: another workstation made it just now
        }
    }
}

void StatementDatabase::checkDatabaseVersion() {
    const int version = getDatabaseVersion();
    if (version != ApplicationDbVersion)
        prompts_.inform(VersionDiffers.arg(ApplicationDbVersion).arg(version));
}

void StatementDatabase::databaseCheckReminder(const QDateTime& now,
                                              const std::function<bool()>& compactAndRepair) {
    try {
        const QString marker = settings_.settingsFolder() + QStringLiteral("OnceAMonth");
        QFile file(marker);
        if (!file.exists()) {
            if (!file.open(QIODevice::WriteOnly)) throw markerError(file);
            return;
        }
        const qint64 days = QFileInfo(marker).lastModified().secsTo(now) / 86400;
        if (days <= 30) return;
        if (prompts_.askYesNo(MsgType::Warning, CheckReminder.arg(days))) {
            if (compactAndRepair) compactAndRepair();
            return;
        }
        if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(now, QFileDevice::FileModificationTime))
            throw markerError(file);
    } catch (const std::exception& e) {
        prompts_.error(errorMessage(e));
    }
}

} // namespace ostrapel
