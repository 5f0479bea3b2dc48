#include "InsertStatements.h"

#include "core/RecordCatalogue.h"

namespace ostrapel {

QString buildInsertStatement(const RecordCatalogue& catalogue, const QString& recordType) {
    QStringList params;
    for (const QString& kind : {QStringLiteral("ID"), recordType})
        if (const KindEntries* list = catalogue.kindList(kind))
            for (const auto& e : *list)
                params << u':' + e->name;
    return QStringLiteral("insert into bord") + recordType + QStringLiteral(" values(") +
           params.join(QStringLiteral(", ")) + u')';
}

} // namespace ostrapel
