#include "ReportQueries.h"

#include "core/SqlFragments.h"

namespace ostrapel {

namespace {

const QString kTab = QStringLiteral("\t");
const QString kTab2 = QStringLiteral("\t\t");
const QString kPremiumOrigin = kTab2 + QStringLiteral("where [5002]  = '1' ");
const QString kCorrectionOrigin = kTab2 + QStringLiteral("where ([5002]  = '2' or [5002] = '3') ");
const QString kMonthOfCollectivity =
    QStringLiteral("where id01 = :CollNr1 and id02 = :CollVolgNr1 and id03 = :Periode1");

// The premium and correction of each component of a person in a month, summed
// from the premium and the correction rows below it.
const QString kTotalsPerComponent =
    kTab +
    QStringLiteral("select id01, id02, id03, id05, [5004], [5012], [5009], [5010], sum(premie) as "
                   "TotaalPremie, sum(correctie) as TotaalCorrectie, TotaalPremie + TotaalCorrectie as "
                   "Totaal");

bool isSet(const QString& clause) {
    return clause != kNeutralClause;
}

} // namespace

QString ReportQueries::compoundOrder() {
    return QStringLiteral("iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], BORD10.[1002])");
}

QStringList ReportQueries::totals(InsuranceType type) {
    const QString column = componentNameColumn(type);
    const QString types = typeCodeList(type);
    const QString exists =
        QStringLiteral("  and exists ( select 1 from bord10 b where b.ID07 = a.ID07 and [1024] in (") +
        types + QStringLiteral(") ) ");
    const QString groupBy =
        QStringLiteral("  group by ID01, ID02, ID03, [5004], ") + column + QStringLiteral(" ");
    const QString first =
        QStringLiteral("select ID01, ID02, ID03, [5004], ") + column +
        QStringLiteral(" as PremieComponent, sum(SubPremie) as Premie, sum(SubCorrectie) as Correctie, ") +
        QStringLiteral("sum(SubPremie)  + sum(SubCorrectie) as Totaal ") + QStringLiteral("from ") +
        QStringLiteral("( ") + QStringLiteral("  select distinct ID01, ID02, ID03, [5004], ") + column +
        QStringLiteral(", 0 as SubPremie, 0 as SubCorrectie ") + QStringLiteral("  from bord50 a ") +
        QStringLiteral("  where id01 = :Id011 ") + QStringLiteral("  and id02 = :Id021 ") +
        QStringLiteral("  and id03 = :Id031 ") + exists + QStringLiteral("union all ") +
        QStringLiteral("  select ID01, ID02, ID03, [5004], ") + column +
        QStringLiteral(", sum([5008]) as SubPremie, 0 as SubCorrectie ") +
        QStringLiteral("  from bord50 a ") + QStringLiteral("  where id01 = :Id012 ") +
        QStringLiteral("  and id02 = :Id022 ") + QStringLiteral("  and id03 = :Id032 ") +
        QStringLiteral("  and [5002] = '1' ") + exists + groupBy +
        QStringLiteral("union all                                       ") +
        QStringLiteral("  select ID01, ID02, ID03, [5004], ") + column +
        QStringLiteral(", 0 as SubPremie, sum([5008]) as SubCorrectie ") +
        QStringLiteral("  from bord50 a ") + QStringLiteral("  where id01 = :Id013 ") +
        QStringLiteral("  and id02 = :Id023 ") + QStringLiteral("  and id03 = :Id033 ") +
        QStringLiteral("  and ([5002] = '2' or [5002] = '3') ") + exists + groupBy + QStringLiteral(") ");
    return {first, QStringLiteral("group by ID01, ID02, ID03, [5004], ") + column + QStringLiteral(" "),
            QStringLiteral("order by ID01, ID02, ID03, [5004], ") + column + QStringLiteral(" ")};
}

QStringList ReportQueries::collection(InsuranceType type, bool compoundSurname) {
    // The person's key after the name keys keeps namesakes apart.
    QString order = QStringLiteral("order by a.[1002], a.[1003], a.id07");
    if (compoundSurname) {
        QString expression = compoundOrder();
        expression.replace(QStringLiteral("BORD10."), QStringLiteral("a."), Qt::CaseInsensitive);
        order = QStringLiteral("order by ") + expression + QStringLiteral(", a.id07");
    }
    // Each person is listed under the stored row of the report's insurance
    // type: bord10 keeps the newest row per type, so a person row "of the month
    // or earlier" would list nobody for an earlier month, and every row of both
    // types would list each component twice.
    const QString types = typeCodeList(type);
    const QStringList persons =
        types.isEmpty()
            ? QStringList{QStringLiteral(
                  "where a.id07 = c.id05 and a.id01 = :CollNr2 and a.id02 = :CollVolgNr2 "
                  "and a.id03 <= :Periode2")}
            : QStringList{
                  QStringLiteral("where a.id07 = c.id05 and a.id01 = :CollNr2 and a.id02 = :CollVolgNr2 "
                                 "and a.[1024] in (") +
                      types + u')',
                  QStringLiteral("and a.id03 = (select max(b.id03) from bord10 b where b.id01 = a.id01 "
                                 "and b.id02 = a.id02 and b.id07 = a.id07 and b.[1024] in (") +
                      types + QStringLiteral("))")};
    return QStringList{
               QStringLiteral(
                   "select a.*, c.[5004], c.[5012], c.[5009], c.[5010], c.TotaalPremie, c.TotaalCorrectie, "
                   "c.Totaal"),
               QStringLiteral("from bord10 a,"),
               QStringLiteral("("),
               kTotalsPerComponent,
               kTab + QStringLiteral("from"),
               kTab + QStringLiteral("("),
               kTab2 + QStringLiteral(
                           "select id01, id02, id03, id05, [5004], [5012], [5009], [5010], sum([5008]) as "
                           "Premie, 0 as Correctie"),
               kTab2 + QStringLiteral("from bord50"),
               kPremiumOrigin,
               kTab2 + QStringLiteral("group by id01, id02, id03, id05, [5004], [5012], [5009], [5010]"),
               kTab + QStringLiteral("union all"),
               kTab2 + QStringLiteral(
                           "select id01, id02, id03, id05, [5004], [5012], [5009], [5010], 0 as Premie, "
                           "sum([5008]) as Correctie"),
               kTab2 + QStringLiteral("from bord50"),
               kCorrectionOrigin,
               kTab2 + QStringLiteral("group by id01, id02, id03, id05, [5004], [5012], [5009], [5010]"),
               kTab + QStringLiteral(")"),
               kTab + kMonthOfCollectivity,
               kTab + QStringLiteral("group by id01, id02, id03, id05, [5004], [5012], [5009], [5010]"),
               QStringLiteral(") c"),
           } +
           persons + QStringList{order};
}

QStringList ReportQueries::collectionToRun(InsuranceType type, bool compoundSurname) {
    // Rows that match under NOCASE group together, so filtering the rows is
    // filtering the groups: the result is the same.
    QStringList lines = collection(type, compoundSurname);
    const QString also = QStringLiteral("and") + kMonthOfCollectivity.mid(5);
    for (const QString& origin : {kPremiumOrigin, kCorrectionOrigin})
        lines[lines.indexOf(origin)] += also;
    return lines;
}

QStringList ReportQueries::selection(InsuranceType type, bool compoundSurname,
                                     const SelectionClauses& clauses) {
    const QString groupBy =
        kTab2 + QStringLiteral("group by BORD50.id01, BORD50.id02, BORD50.id03, BORD50.id05, "
                               "BORD50.[5004], BORD50.[5012], BORD50.[5009], BORD50.[5010]");
    QStringList filterLines{QStringLiteral("         ") + clauses.componentsPeriod};
    for (const QString* c : {&clauses.herkomst, &clauses.soort, &clauses.component})
        if (isSet(*c)) filterLines << *c;

    QStringList q{
        QStringLiteral(
            "select distinct BORD10.*, c.[ID03] as Periode, c.[5004], c.[5012], c.[5009], c.[5010], "
            "c.TotaalPremie, c.TotaalCorrectie, c.Totaal"),
        QStringLiteral("from BORD10,"),
        QStringLiteral("("),
        kTotalsPerComponent,
        kTab + QStringLiteral("from"),
        kTab + QStringLiteral("("),
        kTab2 +
            QStringLiteral("select BORD50.id01, BORD50.id02, BORD50.id03, BORD50.id05, BORD50.[5004], "
                           "BORD50.[5012], BORD50.[5009], BORD50.[5010], sum(BORD50.[5008]) as Premie, 0 as "
                           "Correctie"),
        kTab2 + QStringLiteral("from bord50"),
        kTab2 + QStringLiteral("where BORD50.[5002]  = '1'"),
    };
    q << filterLines << groupBy << kTab + QStringLiteral("union all")
      << kTab2 +
             QStringLiteral("select BORD50.id01, BORD50.id02, BORD50.id03, BORD50.id05, BORD50.[5004], "
                            "BORD50.[5012], BORD50.[5009], BORD50.[5010], 0 as Premie, sum(BORD50.[5008]) as "
                            "Correctie")
      << kTab2 + QStringLiteral("from bord50")
      << QStringLiteral("   where (BORD50.[5002]  = '2' or BORD50.[5002] = '3') ") << filterLines << groupBy
      << kTab + QStringLiteral(")") << kTab + QStringLiteral("where id01 = :CollNr1 and id02 = :CollVolgNr1")
      << QStringLiteral("       group by id01, id02, id03, id05, [5004], [5012], [5009], [5010]")
      << QStringLiteral(") c") << QStringLiteral("where BORD10.id07 = c.id05");
    q << (type == InsuranceType::SicknessFundOrPrivate
              ? QStringLiteral(" AND BORD10.[ID03] <= '2005-12' and bord10.[1024] in ('Z', 'P')")
              : QStringLiteral(" AND BORD10.[ID03] >= '2006-01' and bord10.[1024] = ' ' "));
    // The months of the other type are not this type's premiums.
    q << typeMonthCondition(type, QStringLiteral("c.[ID03]"));
    q << QStringLiteral("and BORD10.id01 = :CollNr2 and BORD10.id02 = :CollVolgNr2");
    if (isSet(clauses.search)) q << clauses.search;
    if (isSet(clauses.filter)) q << clauses.filter;
    q << (compoundSurname
              ? QStringLiteral("ORDER BY ") + compoundOrder() +
                    QStringLiteral(", BORD10.ID07, c.ID03, c.[5012], c.[5009], c.[5010]")
              : QStringLiteral(
                    "ORDER BY BORD10.[1002], BORD10.[1003], BORD10.ID07, c.ID03, c.[5012], c.[5009], "
                    "c.[5010]"));
    return q;
}

QStringList ReportQueries::correction(InsuranceType type, bool compoundSurname) {
    QStringList q{
        QStringLiteral("select BORD10.*, c.[ID03] as Periode, c.[5004], c.[5012], c.[5009], c.[5010], "
                       "c.TotaalPremie, c.TotaalCorrectie, (c.Totaalpremie + c.TotaalCorrectie) as Totaal"),
        QStringLiteral("from BORD10,"),
        QStringLiteral("("),
        kTab + QStringLiteral("select BORD50.id01, BORD50.id02, BORD50.id03, BORD50.id05, BORD50.[5004], "
                              "BORD50.[5012], BORD50.[5009], BORD50.[5010], 0.00 as TotaalPremie, "
                              "sum(BORD50.[5008]) as TotaalCorrectie"),
        kTab + QStringLiteral("from bord50"),
        kTab + QStringLiteral("where (BORD50.[5002]  = '2' or BORD50.[5002] = '3')"),
        kTab + QStringLiteral("and bord50.[id03] = :PremiePeriode"),
        kTab + QStringLiteral("and BORD50.id01 = :CollNr and BORD50.id02 = :CollVolgNr"),
        kTab + QStringLiteral("group by BORD50.id01, BORD50.id02, BORD50.id03, BORD50.id05, BORD50.[5004], "
                              "BORD50.[5012], BORD50.[5009], BORD50.[5010]"),
        QStringLiteral(") c"),
        QStringLiteral("where BORD10.id07 = c.id05"),
    };
    q << (type == InsuranceType::SicknessFundOrPrivate
              ? QStringLiteral(" and c.[ID03] <= '2005-12'  and bord10.[1024] in ('Z', 'P') ")
              : QStringLiteral(" and c.[ID03] >= '2006-01'  and bord10.[1024] = ' ' "));
    q << (compoundSurname
              ? QStringLiteral("ORDER BY ") + compoundOrder() +
                    QStringLiteral(", BORD10.ID07, c.ID03, c.[5012]")
              : QStringLiteral(
                    "ORDER BY BORD10.[1002], BORD10.[1003], BORD10.ID07, c.ID03, c.[5012], c.[5009], "
                    "c.[5010]"));
    return q;
}

} // namespace ostrapel
