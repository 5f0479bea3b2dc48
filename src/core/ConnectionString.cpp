#include "ConnectionString.h"

namespace ostrapel {

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString cs;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0) break;
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && text.at(i) == u' ')
            ++i;
        QString value;
        if (i < n && text.at(i) == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            value = text.mid(i + 1, end - i - 1);
            i = text.indexOf(u';', end);
            i = i < 0 ? n : i + 1;
        } else {
            qsizetype semi = text.indexOf(u';', i);
            if (semi < 0) semi = n;
            value = text.mid(i, semi - i).trimmed();
            i = semi + 1;
        }
        if (!key.isEmpty()) cs.setValue(key, value);
    }
    return cs;
}

ConnectionString ConnectionString::forSqliteFile(const QString& path) {
    ConnectionString cs;
    cs.setValue(QStringLiteral("Provider"), QStringLiteral("SQLite"));
    cs.setValue(QStringLiteral("Data Source"), path);
    return cs;
}

bool ConnectionString::isPostgreSql() const {
    return provider().compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0;
}

QString ConnectionString::withoutPassword() const {
    ConnectionString copy;
    for (const auto& item : items_)
        if (item.first.compare(QStringLiteral("Password"), Qt::CaseInsensitive) != 0)
            copy.items_.append(item);
    return copy.toString();
}

QString ConnectionString::value(const QString& key) const {
    for (const auto& item : items_)
        if (item.first.compare(key, Qt::CaseInsensitive) == 0) return item.second;
    return {};
}

void ConnectionString::setValue(const QString& key, const QString& value) {
    for (auto& item : items_) {
        if (item.first.compare(key, Qt::CaseInsensitive) == 0) {
            item.second = value;
            return;
        }
    }
    items_.append({key, value});
}

QString ConnectionString::toString() const {
    QString out;
    for (const auto& item : items_) {
        if (!out.isEmpty()) out += u';';
        const bool quote =
            item.second.contains(u';') || item.second.startsWith(u' ') || item.second.endsWith(u' ');
        out += item.first + u'=' + (quote ? u'"' + item.second + u'"' : item.second);
    }
    return out;
}

} // namespace ostrapel
