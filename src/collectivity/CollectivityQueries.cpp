#include "CollectivityQueries.h"

#include "core/SqlFragments.h"

namespace ostrapel {

namespace {

const QString kLines = QStringLiteral("\r\n");

} // namespace

const QString CollectivityQueries::Collectivity =
    QStringLiteral("select *\r\nfrom bord00\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02");
const QString CollectivityQueries::History =
    QStringLiteral("select ID03, [9902], [9903], [9904], \r\n[9905], [9906], [9907], [9908]\r\nfrom "
                   "bord99\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02\r\n"
                   "order by [9902] DESC");

QString CollectivityQueries::compoundSurname() {
    return QStringLiteral("iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], BORD10.[1002])");
}

QStringList CollectivityQueries::persons(const QString& fieldList, bool compound, const QString& whereLine,
                                         const PersonsClauses& c, const QString& orderField) {
    QString fields = fieldList;
    if (compound)
        fields.replace(QStringLiteral("BORD10.[1002]"), compoundSurname() + QStringLiteral(" as [1002]"),
                       Qt::CaseInsensitive);
    return {QStringLiteral("SELECT distinct ") + fields,
            QStringLiteral("FROM BORD10"),
            whereLine,
            c.search,
            c.unit,
            c.filter,
            c.period,
            QStringLiteral("ORDER BY [") + orderField + u']'};
}

QString CollectivityQueries::personsWhere(CollectivityKey collectivity, InsuranceType type) {
    return QStringLiteral("WHERE bord10.[ID01] = ") + QString::number(collectivity.number) +
           QStringLiteral(" AND bord10.[ID02] = ") + QString::number(collectivity.sequence) +
           QStringLiteral(" AND bord10.[1024] in (") + typeCodeList(type) + u')';
}

QString CollectivityQueries::personsSearch(const QString& text, const QString& sortField, bool compound) {
    if (text.isEmpty()) return kNeutralClause;
    // What the user typed is looked for as typed: "%" and "_" are no wildcards.
    QString escape;
    const QString literal = likeLiteral(text, &escape);
    if (compound && sortField == QStringLiteral("1002")) {
        // The engine reads a double-quoted pattern as a text, its quotes doubled inside.
        const QString p =
            u'"' + QString(literal).replace(u'"', QStringLiteral("\"\"")) + QStringLiteral("%\"") + escape;
        return QStringLiteral("AND ([1002] like ") + p + QStringLiteral(" OR  [1020] like ") + p + u')';
    }
    return QStringLiteral("AND BORD10.[") + sortField + QStringLiteral("] like ") +
           sqlTextLiteral(literal + u'%') + escape;
}

QString CollectivityQueries::personsUnit(const QString& unitKey) {
    return QStringLiteral("AND bord10.[ID05]=") + sqlTextLiteral(unitKey);
}

QStringList CollectivityQueries::components(const QString& fieldList, const QStringList& filterLines) {
    return QStringList{QStringLiteral("SELECT distinct ") + fieldList, QStringLiteral("FROM BORD50"),
                       QStringLiteral("WHERE 1=1")} +
           filterLines +
           QStringList{QStringLiteral("ORDER BY ID03 desc, [5003], [5004], [5002], [5009] desc")};
}

QStringList CollectivityQueries::componentTotals(const QStringList& filterLines) {
    return QStringList{QStringLiteral("select sum([5008]) as Totaal"), QStringLiteral("from bord50"),
                       QStringLiteral("where 1=1")} +
           filterLines;
}

QString CollectivityQueries::componentsSelection(bool joint, CollectivityKey collectivity) {
    const QString key =
        joint ? QStringLiteral("AND bord50.ID05 = :ID05") : QStringLiteral("AND bord50.ID07 = :ID07");
    return key + QStringLiteral(" AND bord50.ID01=%1 AND bord50.ID02=%2")
                     .arg(collectivity.number)
                     .arg(collectivity.sequence);
}

QString CollectivityQueries::componentsFilter(const QString& field, const QString& code) {
    return QStringLiteral("AND bord50.[") + field + QStringLiteral("] = ") + sqlTextLiteral(code);
}

QString CollectivityQueries::nextValue(const QString& field) {
    const QString b = u'[' + field + u']';
    return QStringLiteral("SELECT min(") + b +
           QStringLiteral(") AS WAARDE FROM bord50 WHERE ID01 = :ID01 and ID02 = :ID02 AND ") + b +
           QStringLiteral(" > :After");
}

const QString CollectivityQueries::FirstInvoiceMonth =
    QStringLiteral("SELECT min(ID03) FROM bord50 WHERE ID01 = :CollNr and ID02 = :CollVolgNr");
const QString CollectivityQueries::NextInvoiceMonth =
    FirstInvoiceMonth + QStringLiteral(" and ID03 > :After");

QString CollectivityQueries::invoiceMonthInUse(InsuranceType type) {
    // Persons first: a server's planner misjudges the join the other way round
    // and hashes both tables, and a type without persons is then answered at once.
    return QStringLiteral("SELECT EXISTS (SELECT 1 FROM bord10 b "
                          "WHERE b.ID01 = :CollNr and b.ID02 = :CollVolgNr AND b.[1024] in (") +
           typeCodeList(type) +
           QStringLiteral(") AND EXISTS (SELECT 1 FROM bord50 a WHERE a.ID01 = b.ID01 and a.ID02 = b.ID02 "
                          "and a.ID07 = b.ID07 and a.ID05 = b.ID05 and a.ID03 = :Month))");
}

QString CollectivityQueries::comparisonMonths(InsuranceType type) {
    return QStringLiteral("select Distinct(id03) as Periode from bord00 where id01 = :CollNr and id02 = "
                          ":CollVolgNr \r\n") +
           (type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral(" and [ID03] <= '2005-12' ")
                                                         : QStringLiteral(" and [ID03] >= '2006-01' ")) +
           QStringLiteral("\r\nOrder by Id03 ");
}

const QString CollectivityQueries::PeriodMonths =
    QStringLiteral("select distinct(id03) as FactuurMaand from bord99 where id01 = :id01 and id02 = "
                   ":id02  and id05 like :id05");

QString CollectivityQueries::premiumTrend(InsuranceType type) {
    // A joint component carries its unit's key, the main person's: it counts
    // once, with that person. The months of the other type are not this type's
    // premiums, as in the reports.
    return QStringList{
        QStringLiteral("select a.ID03 as Maand,"),
        QStringLiteral(" sum(iif(a.[5002] = '1', a.[5008], 0)) as Premie,"),
        QStringLiteral(" sum(iif(a.[5002] = '2' or a.[5002] = '3', a.[5008], 0)) as Correctie,"),
        QStringLiteral(" count(distinct a.ID07) as Personen"),
        QStringLiteral("from bord50 a"),
        QStringLiteral("where a.ID01 = :CollNr and a.ID02 = :CollVolgNr"),
        QStringLiteral("and a.ID03 >= :Van and a.ID03 <= :Tot"),
        typeMonthCondition(type, QStringLiteral("a.ID03")),
        QStringLiteral("and exists (select 1 from bord10 b where b.ID01 = a.ID01 and b.ID02 = a.ID02"),
        QStringLiteral("  and b.ID07 = a.ID07 and b.[1024] in (") + typeCodeList(type) + QStringLiteral("))"),
        QStringLiteral("group by a.ID03"),
        QStringLiteral("order by a.ID03")}
        .join(kLines);
}

} // namespace ostrapel
