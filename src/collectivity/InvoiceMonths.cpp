#include "InvoiceMonths.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SqlStatement.h"

namespace ostrapel {

QStringList invoiceMonths(Connection& connection, int collNr, int collVolgNr, int verzType) {
    // The joined query reads every component of the collectivity. Month by month
    // costs a few index steps: the next month of its components, and whether a
    // person of the type has a component in that month.
    const QVariantMap collectivity = {{QStringLiteral("CollNr"), collNr},
                                      {QStringLiteral("CollVolgNr"), collVolgNr}};
    SqlStatement& next = connection.prepare(CollectivityQueries::NextInvoiceMonth);
    SqlStatement& first = connection.prepare(CollectivityQueries::FirstInvoiceMonth);
    SqlStatement& used = connection.prepare(CollectivityQueries::invoiceMonthInUse(verzType));
    auto value = [&](SqlStatement& s, const QVariantMap& extra) {
        s.bind(collectivity);
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
