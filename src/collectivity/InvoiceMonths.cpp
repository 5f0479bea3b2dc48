#include "InvoiceMonths.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SqlFragments.h"
#include "core/SqlStatement.h"

namespace ostrapel {

QStringList invoiceMonths(Connection& connection, CollectivityKey collectivity, InsuranceType type) {
    // The joined query reads every component of the collectivity. Month by month
    // costs a few index steps: the next month of its components, and whether a
    // person of the type has a component in that month. Persons first: a
    // server's planner misjudges the join the other way round and hashes both
    // tables, and a type without persons is then answered at once.
    const QVariantMap key = {{QStringLiteral("CollNr"), collectivity.number},
                             {QStringLiteral("CollVolgNr"), collectivity.sequence}};
    const QString where = QStringLiteral("WHERE ID01 = :CollNr and ID02 = :CollVolgNr");
    SqlStatement& next = connection.prepare(QStringLiteral("SELECT min(ID03) FROM bord50 ") + where +
                                            QStringLiteral(" and ID03 > :After"));
    SqlStatement& first = connection.prepare(QStringLiteral("SELECT min(ID03) FROM bord50 ") + where);
    SqlStatement& used = connection.prepare(
        QStringLiteral("SELECT EXISTS (SELECT 1 FROM bord10 b "
                       "WHERE b.ID01 = :CollNr and b.ID02 = :CollVolgNr AND b.[1024] in (") +
        typeCodeList(type) +
        QStringLiteral(") AND EXISTS (SELECT 1 FROM bord50 a WHERE a.ID01 = b.ID01 and a.ID02 = b.ID02 "
                       "and a.ID07 = b.ID07 and a.ID05 = b.ID05 and a.ID03 = :Month))"));
    auto value = [&](SqlStatement& s, const QVariantMap& extra) {
        s.bind(key);
        s.bind(extra);
        s.exec();
        const QVariant v = s.next() ? s.value(0) : QVariant();
        s.finish();
        return v;
    };
    // Components without a month (the import always gives one) are not offered.
    QStringList months;
    for (QVariant m = value(first, {}); !m.isNull(); m = value(next, {{QStringLiteral("After"), m}}))
        if (value(used, {{QStringLiteral("Month"), m}}).toBool()) months << m.toString();
    return months;
}

} // namespace ostrapel
