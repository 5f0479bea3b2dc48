#pragma once

#include <QString>

// The SQL texts of the import run besides the rows it writes.
namespace ostrapel::ImportQueries {

// Whether a statement of the collectivity, month and kind (:Soort, "9%" or "S%")
// was imported before (:CollNr, :VolgNr, :Periode).
inline const QString ImportedStatement =
    QStringLiteral("select a.* from bord99 a where a.ID01 = :CollNr and a.ID02 = :VolgNr "
                   "and a.ID03 = :Periode and ID05 like :Soort");
// Standard insurance has a space as its type code; a statement may leave it empty.
inline const QString StandardTypeCode = QStringLiteral("update bord10 set [1024] = ' ' where [1024] = '' ");
// The newest and oldest month of each person and type group of the collectivity (:id01, :id02).
inline const QString PersonPeriods =
    QStringLiteral("select max(ID03) as m, min(ID03) as n, id07, IIF([1024] = 'Z', 'Z', IIF([1024] = "
                   "'P', 'Z', ' ')) as "
                   "t  from bord10 b  where id01 = :id01 and id02 = :id02 group by id07, "
                   "IIF([1024] = 'Z', 'Z', IIF([1024] = 'P', 'Z', ' ')) ");
// A person's rows of the type codes in `typeCodes` older than the newest month :m.
inline QString deleteSupersededPersons(const QString& typeCodes) {
    return QStringLiteral("delete \r\nfrom bord10 a \r\nwhere a.ID01 = :id01\r\nand a.ID02 = :id02"
                          "\r\nand a.ID07 = :id07\r\n and (a.[1024] in (") +
           typeCodes + QStringLiteral(")) and a.id03 < :m");
}
// SQLite's planner statistics, sampled so that they stay quick.
inline const QString SampledStatisticsLimit = QStringLiteral("PRAGMA analysis_limit = 400");
inline const QString Statistics = QStringLiteral("ANALYZE");
// The server's statistics of the statement tables.
inline const QString ServerStatistics = QStringLiteral("ANALYZE bord00, bord10, bord50, bord99");
// The server's lock on one collectivity's imports, tried rather than waited for.
inline QString tryCollectivityLock(qint64 key) {
    return QStringLiteral("SELECT pg_try_advisory_xact_lock(%1)").arg(key);
}

} // namespace ostrapel::ImportQueries
