#include "BulkSink.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"

#include <QStringList>
#include <cstdio>

namespace ostrapel {

bool isAscii(QByteArrayView text) {
    for (const char c : text)
        if (uchar(c) >= 0x80) return false;
    return true;
}

QByteArray isoDate(const QDate& date) {
    if (date.year() < 1 || date.year() > 9999) return {};
    char text[11];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return QByteArray(text, 10);
}

void appendCents(QByteArray& out, int hundredths) {
    qint64 v = hundredths;
    if (v < 0) {
        out += '-';
        v = -v;
    }
    out += QByteArray::number(v / 100);
    out += '.';
    out += char('0' + v % 100 / 10);
    out += char('0' + v % 10);
}

QString tableWithColumns(const Connection& connection, int table, size_t expected) {
    const QString name = QStringLiteral("bord") + QLatin1String(kBulkRecordTypes[table]);
    const QStringList columns = connection.columnNames(name);
    if (size_t(columns.size()) != expected)
        throw DatabaseError(QStringLiteral("Databasefout: de tabel %1 heeft %2 kolommen in plaats van %3.")
                                .arg(name)
                                .arg(columns.size())
                                .arg(expected));
    QStringList quoted;
    for (const QString& c : columns)
        quoted << u'"' + QString(c).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return u'"' + name + QStringLiteral("\" (") + quoted.join(QStringLiteral(", ")) + u')';
}

} // namespace ostrapel
