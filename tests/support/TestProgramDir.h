#pragma once

#include "core/Connection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Readable test failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace ostrapel::test {

// A throw-away program folder with a fresh copy of the delivered database.
class TestProgramDir {
public:
    TestProgramDir();

    QString path() const { return dir_.path(); }
    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString databasePath() const { return filePath(QStringLiteral("db/borderel.db")); }
    QString connectionString() const;

    // A connection opened on this folder's database.
    std::unique_ptr<Connection> connect(const QString& name = QStringLiteral("test"));

private:
    QTemporaryDir dir_;
};

} // namespace ostrapel::test
