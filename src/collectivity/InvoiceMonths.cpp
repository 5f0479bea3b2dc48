#include "InvoiceMonths.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"
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
    SqlStatement& next = connection.prepare(CollectivityQueries::NextInvoiceMonth);
    SqlStatement& first = connection.prepare(CollectivityQueries::FirstInvoiceMonth);
    SqlStatement& used = connection.prepare(CollectivityQueries::invoiceMonthInUse(type));
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
