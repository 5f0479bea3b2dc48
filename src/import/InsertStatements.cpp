#include "InsertStatements.h"

#include "StatementFields.h"

#include "core/RecordCatalogue.h"
#include "core/SqlStatement.h"

#include <QDate>

namespace ostrapel {

namespace {

QVariant bindable(const QVariant& v) {
    // dates are stored as yyyy-mm-dd text, so text order is date order
    if (v.metaType().id() == QMetaType::QDate) return v.toDate().toString(Qt::ISODate);
    return v;
}

} // namespace

QString buildInsertStatement(const RecordCatalogue& catalogue, const QString& recordType) {
    QStringList params;
    for (const QString& kind : {QStringLiteral("ID"), recordType})
        if (const KindEntries* list = catalogue.kindList(kind))
            for (const auto& e : *list)
                params << u':' + e->name;
    return QStringLiteral("insert into bord") + recordType + QStringLiteral(" values(") +
           params.join(QStringLiteral(", ")) + u')';
}

void fillInsertParameters(const RecordCatalogue& catalogue, SqlStatement& statement, const QString& line,
                          const QString& recordType, bool standardInsurance) {
    const KindEntries* keys = catalogue.kindList(QStringLiteral("ID"));
    const KindEntries* fields = catalogue.kindList(recordType);
    int position = 0;
    for (const auto& e : *keys)
        statement.bindAt(position++,
                         bindable(convertFieldValue(QStringLiteral("ID"), e->name.mid(2, 2), e->type,
                                                    rawFieldText(line, e->start, e->length))));
    for (size_t i = 0; i < fields->size(); ++i, ++position) {
        if (i == 0) continue; // the first field of a record type is never filled
        const RecordField& e = *(*fields)[i];
        const QString fieldNr = e.name.mid(2, 2);
        if (standardInsurance && recordType == QStringLiteral("10") && fieldNr == QStringLiteral("24")) {
            statement.bindAt(position, QStringLiteral(" "));
            continue;
        }
        statement.bindAt(position, bindable(convertFieldValue(recordType, fieldNr, e.type,
                                                              rawFieldText(line, e.start, e.length))));
    }
}

} // namespace ostrapel
