#include "BorderelDatabase.h"

#include "ConnectionString.h"
#include "DataSet.h"
#include "DatabaseError.h"
#include "PgpassFile.h"
#include "ProgressReporter.h"
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

BorderelDatabase::BorderelDatabase(Settings& settings, Prompts& prompts)
    : settings_(settings), prompts_(prompts) {}

QString BorderelDatabase::databasePath() const {
    return settings_.programDir() + QStringLiteral("db/borderel.db");
}

QString BorderelDatabase::configuredConnectionString() const {
    if (!connectionOverride_.isEmpty()) return connectionOverride_;
    const QString shared = settings_.databaseConnectionString();
    if (!shared.isEmpty()) return shared;
    return ConnectionString::forSqliteFile(databasePath()).toString();
}

bool BorderelDatabase::dataModuleCreate(const std::function<ZipCheck()>& checkZip) {
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
    connectionString_ = configuredConnectionString();
    // for information only; a password stays out of it
    settings_.setADOConnectionString(ConnectionString::parse(connectionString_).withoutPassword());
    connection_.close();
    if (!connectWithRetry()) return false;
    tableNames_ = connection_.tableNames();
    return true;
}

bool BorderelDatabase::connectWithRetry() {
    int editorUses = 0;
    bool edited = false;
    for (;;) {
        try {
            connection_.open(connectionString_);
            connectionFailure_.clear();
            const ConnectionString used = ConnectionString::parse(connectionString_);
            const QString password = used.value(QStringLiteral("Password"));
            // An edited string that works is offered for the computer settings;
            // a password goes to the password file, never into a settings file,
            // and one found there moves at the first connection it made.
            if (edited && connectionString_ != configuredConnectionString() &&
                prompts_.askYesNo(MsgType::Confirmation, StoreConnectionString)) {
                if (!password.isEmpty()) PgpassFile().store(used, password);
                settings_.setDatabaseConnectionString(used.withoutPassword());
            } else if (!password.isEmpty() && connectionOverride_.isEmpty() &&
                       settings_.databaseConnectionString() == connectionString_ &&
                       PgpassFile().store(used, password)) {
                settings_.setDatabaseConnectionString(used.withoutPassword());
            }
            return true;
        } catch (const DatabaseError& e) {
            connectionFailure_ = e.message();
        }
        if (!prompts_.askYesNo(MsgType::Error, NoConnection)) return false;
        ++editorUses;
        if (editorUses <= 3) {
            // The editor never shows a password; left out, the one in use stays.
            const ConnectionString current = ConnectionString::parse(connectionString_);
            if (auto text = prompts_.editConnectionString(current.withoutPassword())) {
                ConnectionString edit = ConnectionString::parse(*text);
                const QString password = current.value(QStringLiteral("Password"));
                if (edit.value(QStringLiteral("Password")).isEmpty() && !password.isEmpty()) {
                    edit.setValue(QStringLiteral("Password"), password);
                    connectionString_ = edit.toString();
                } else {
                    connectionString_ = *text;
                }
                edited = true;
            }
            continue;
        }
        if (!prompts_.askYesNo(MsgType::Confirmation, ThreeTimes)) return false;
        editorUses = 0;
    }
}

int BorderelDatabase::getDatabaseVersion() {
    if (!tableNames_.contains(QStringLiteral("VERSIECTRL"), Qt::CaseInsensitive)) return 0;
    try {
        const QVariant v = connection_.scalar(SharedQueries::dsVersieNr);
        bool ok = false;
        const int version = v.toInt(&ok);
        return ok ? version : -1;
    } catch (const DatabaseError&) {
        return -1;
    }
}

bool BorderelDatabase::collectivityExists(int collNr, int collVolgNr, int verzType) {
    const QString types = typeCodeList(verzType);
    if (types.isEmpty()) return false; // no record has an unknown insurance type
    const QString sql =
        QStringLiteral("select count(*) as Aantal  from bord00 a, bord10 b  where a.ID01 = "
                       ":CollNr and a.ID02 = :CollVolgNr and a.ID01 = b.ID01 and a.ID02 = b.ID02 "
                       " AND [1024] in (") +
        types + QStringLiteral(")");
    // A database that cannot answer is not a collectivity that is gone: the
    // error goes to the caller.
    auto statement = connection_.prepareNew(sql);
    statement->bind({{QStringLiteral("CollNr"), collNr}, {QStringLiteral("CollVolgNr"), collVolgNr}});
    statement->exec();
    return statement->next() && statement->value(0).toInt() > 0;
}

void BorderelDatabase::convertToEuro(ProgressReporter& progress) {
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
                {QStringLiteral("ID01"), guilders.value(QStringLiteral("ID01")).toInt()},
                {QStringLiteral("ID02"), guilders.value(QStringLiteral("ID02")).toInt()},
                {QStringLiteral("ID03"), guilders.value(QStringLiteral("ID03")).toString()}};
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

void BorderelDatabase::repairCatalogueAndIndex() {
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

void BorderelDatabase::checkDatabaseVersion() {
    const int version = getDatabaseVersion();
    if (version != ApplicationDbVersion)
        prompts_.inform(VersionDiffers.arg(ApplicationDbVersion).arg(version));
}

void BorderelDatabase::databaseCheckReminder(const QDateTime& now,
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
