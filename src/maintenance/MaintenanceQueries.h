#pragma once

#include <QString>

// The SQL texts of the clean-up, the compaction and the system information.
namespace ostrapel::MaintenanceQueries {

// The months of the imported statements, offered for a clean-up.
inline const QString CleanupPeriods = QStringLiteral("select distinct(id03) as FactuurMaand\nfrom bord99");
// Removes the rows of `table` that the clean-up's where clause selects.
inline QString cleanupDelete(const char* table, const QString& whereClause) {
    return QStringLiteral("delete from %1 ").arg(QLatin1String(table)) + whereClause;
}

// The program's tables on the server, as "schema.table" quoted by the server,
// that the role of the connection may (:owned) or may not vacuum: a table's
// owner, the database's owner or a superuser.
inline const QString ServerTables = QStringLiteral(
    "select format('%I.%I', n.nspname, c.relname) "
    "from pg_class c join pg_namespace n on n.oid = c.relnamespace "
    "where c.relkind in ('r', 'm') and n.nspname not in ('pg_catalog', 'information_schema') "
    "and n.nspname not like 'pg_toast%' and (pg_has_role(c.relowner, 'USAGE') "
    "or pg_has_role((select datdba from pg_database where datname = current_database()), 'USAGE') "
    "or (select rolsuper from pg_roles where rolname = current_user)) = :owned order by 1");

// The engines' versions for the information file.
inline const QString SqliteVersion = QStringLiteral("select sqlite_version()");
inline const QString ServerVersion = QStringLiteral("select version()");

} // namespace ostrapel::MaintenanceQueries
