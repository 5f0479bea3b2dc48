#pragma once

#include "TestProgramDir.h"

#include <QStringList>

namespace ostrapel::test {

// Statements of two collectivities: 1 with a ZKF/PRT and an SV person from
// 2004-03 to 2004-07, 2 with one SV person in 2004-05.
inline void fillCleanupStatements(Connection& c) {
    auto month = [&](int coll, const QString& period, const QStringList& kinds) {
        const QVariantMap key{{QStringLiteral("n"), coll}, {QStringLiteral("p"), period}};
        c.execute(
            QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003]) values (:n, 1, :p, 'Bakkerij')"),
            key);
        c.execute(QStringLiteral("insert into bord99 (ID01, ID02, ID03) values (:n, 1, :p)"), key);
        for (const QString& kind : kinds) {
            QVariantMap k = key;
            k.insert(QStringLiteral("k"), kind);
            c.execute(QStringLiteral(
                          "insert into bord10 (ID01, ID02, ID03, ID07, [1024]) values (:n, 1, :p, :k, :k)"),
                      k);
            c.execute(QStringLiteral("insert into bord50 (ID01, ID02, ID03, ID07) values (:n, 1, :p, :k)"),
                      k);
        }
    };
    for (const char* p : {"2004-03", "2004-04", "2004-05", "2004-06", "2004-07"})
        month(1, QString::fromLatin1(p), {QStringLiteral("Z"), QStringLiteral(" ")});
    month(2, QStringLiteral("2004-05"), {QStringLiteral(" ")});
}

} // namespace ostrapel::test
