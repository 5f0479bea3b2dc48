#pragma once

#include "core/Connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

namespace ostrapel::test {

// A fault in the database: every `event` ("insert", "delete") of a row of
// `table` fails with `message`; only rows whose `column` is `value` when a column is given.
inline void addFailingTrigger(Connection& db, const QString& name, const QString& event, const QString& table,
                              const QString& message, const QString& column = {}, const QString& value = {}) {
    QStringList sql;
    if (db.isPostgreSql()) {
        sql << QStringLiteral("create function %1() returns trigger language plpgsql as "
                              "$$ begin raise exception '%2'; end $$")
                   .arg(name, message);
        sql << QStringLiteral("create trigger %1 before %2 on %3 for each row %4 execute function %1()")
                   .arg(name, event, table,
                        column.isEmpty() ? QString()
                                         : QStringLiteral("when (new.\"%1\" = '%2')").arg(column, value));
    } else {
        sql << QStringLiteral("create trigger %1 before %2 on %3 %4 begin select raise(abort, '%5'); end")
                   .arg(name, event, table,
                        column.isEmpty() ? QString()
                                         : QStringLiteral("when new.%1 = '%2'").arg(column, value),
                        message);
    }
    for (const QString& s : sql) {
        QSqlQuery q(db.database());
        EXPECT_TRUE(q.exec(s)) << q.lastError().text().toStdString() << '\n' << s.toStdString();
    }
}

inline void dropTrigger(Connection& db, const QString& name, const QString& table) {
    const QStringList sql = db.isPostgreSql()
                                ? QStringList{QStringLiteral("drop trigger %1 on %2").arg(name, table),
                                              QStringLiteral("drop function %1()").arg(name)}
                                : QStringList{QStringLiteral("drop trigger %1").arg(name)};
    for (const QString& s : sql) {
        QSqlQuery q(db.database());
        EXPECT_TRUE(q.exec(s)) << q.lastError().text().toStdString() << '\n' << s.toStdString();
    }
}

} // namespace ostrapel::test
