#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace ostrapel {

// Copies a program database to another engine, e.g. the SQLite file to a
// PostgreSQL server: every table the target also has, column by column name,
// in one transaction on the target, and checks the row counts.
class DatabaseMigration {
public:
    struct Table {
        QString name;
        qint64 rows = 0;
    };
    using Log = std::function<void(const QString&)>;

    // An empty PostgreSQL target is given the delivered database first. A
    // target whose statement or filter tables hold rows is refused; its
    // catalogue rows are replaced by the source's. Throws DatabaseError with a
    // Dutch message; on any failure the target is left as it was.
    static QList<Table> run(const QString& fromConnectionString, const QString& toConnectionString,
                            const Log& log = {});
};

} // namespace ostrapel
