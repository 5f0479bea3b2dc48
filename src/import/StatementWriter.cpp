#include "StatementWriter.h"

#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/RecordCatalogue.h"

#include <QDate>
#include <cmath>

namespace ostrapel {

namespace {

QString formatField(const RecordField& e, const QVariant& v) {
    const int len = e.length;
    if (!v.isValid() || v.isNull()) return QString(len, u' ');
    if (v.metaType().id() == QMetaType::QString) return v.toString().leftJustified(len, u' ', true);
    switch (e.type.unicode()) {
    case 'N':
        return QStringLiteral("%1").arg(v.toLongLong(), len, 10, QChar(u'0')).right(len);
    case 'S': {
        const qint64 cents = std::llround(v.toDouble() * 100.0);
        return (cents < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
               QStringLiteral("%1").arg(std::llabs(cents), len - 1, 10, QChar(u'0')).right(len - 1);
    }
    case 'D':
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd")).leftJustified(len, u' ', true);
    default:
        return v.toString().leftJustified(len, u' ', true);
    }
}

} // namespace

QString StatementWriter::composeLine(const QString& recordType,
                                     const QHash<QString, QVariant>& values) const {
    QString line;
    for (const QString& kind : {QStringLiteral("ID"), recordType}) {
        const KindEntries* list = catalogue_.kindList(kind);
        if (!list) continue;
        for (const auto& e : *list) {
            QVariant v = values.value(e->name);
            if (e->name == Field::RecordType && !v.isValid()) v = recordType;
            const int end = e->start - 1 + e->length;
            if (line.size() < end) line = line.leftJustified(end, u' ');
            line.replace(e->start - 1, e->length, formatField(*e, v));
        }
    }
    return line;
}

bool StatementWriter::writeFile(const QString& path, const QStringList& lines, QString* error) {
    try {
        FileWriter f(path);
        for (const QString& line : lines)
            f.write(encodeCp1252(line) + "\r\n");
        f.commit();
    } catch (const OstrapelError& e) {
        if (error) *error = e.message();
        return false;
    }
    return true;
}

} // namespace ostrapel
