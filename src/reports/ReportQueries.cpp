#include "ReportQueries.h"

#include "collectivity/CollectivityQueries.h"

#include "core/SqlFragments.h"

namespace ostrapel {

namespace {

const QString kTab = QStringLiteral("\t");
const QString kTab2 = QStringLiteral("\t\t");
const QString kPremiumOrigin = kTab2 + QStringLiteral("where [5002]  = '1' ");
const QString kCorrectionOrigin = kTab2 + QStringLiteral("where ([5002]  = '2' or [5002] = '3') ");
const QString kMonthOfCollectivity =
    QStringLiteral("where id01 = :CollNr1 and id02 = :CollVolgNr1 and id03 = :Periode1");

// The keys a component's amounts are summed by, each on `table` ("BORD50." or none).
QString componentKeys(const QString& table) {
    QStringList keys;
    for (const char* key : {"id01", "id02", "id03", "id05", "[5004]", "[5012]", "[5009]", "[5010]"})
        keys << table + QLatin1String(key);
    return keys.join(QStringLiteral(", "));
}

// The premium and correction of each component of a person in a month, summed
// from the premium rows (`premiumWhere`) and the correction rows below it.
QStringList premiumAndCorrection(const QString& table, const QStringList& premiumWhere,
                                 const QStringList& correctionWhere) {
    const QString keys = componentKeys(table);
    const QString groupBy = kTab2 + QStringLiteral("group by ") + keys;
    const QString amount = QStringLiteral("sum(") + table + QStringLiteral("[5008])");
    return QStringList{kTab + QStringLiteral("select ") + componentKeys({}) +
                           QStringLiteral(", sum(premie) as TotaalPremie, sum(correctie) as TotaalCorrectie, "
                                          "TotaalPremie + TotaalCorrectie as Totaal"),
                       kTab + QStringLiteral("from"), kTab + QStringLiteral("("),
                       kTab2 + QStringLiteral("select ") + keys + QStringLiteral(", ") + amount +
                           QStringLiteral(" as Premie, 0 as Correctie"),
                       kTab2 + QStringLiteral("from bord50")} +
           premiumWhere +
           QStringList{groupBy, kTab + QStringLiteral("union all"),
                       kTab2 + QStringLiteral("select ") + keys + QStringLiteral(", 0 as Premie, ") + amount +
                           QStringLiteral(" as Correctie"),
                       kTab2 + QStringLiteral("from bord50")} +
           correctionWhere + QStringList{groupBy, kTab + QStringLiteral(")")};
}

bool isSet(const QString& clause) {
    return clause != kNeutralClause;
}

} // namespace

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
        QString expression = CollectivityQueries::compoundSurname();
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
    return QStringList{QStringLiteral("select a.*, c.[5004], c.[5012], c.[5009], c.[5010], c.TotaalPremie, "
                                      "c.TotaalCorrectie, c.Totaal"),
                       QStringLiteral("from bord10 a,"), QStringLiteral("(")} +
           premiumAndCorrection({}, {kPremiumOrigin}, {kCorrectionOrigin}) +
           QStringList{kTab + kMonthOfCollectivity, kTab + QStringLiteral("group by ") + componentKeys({}),
                       QStringLiteral(") c")} +
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
    QStringList filterLines{QStringLiteral("         ") + clauses.componentsPeriod};
    for (const QString* c : {&clauses.herkomst, &clauses.soort, &clauses.component})
        if (isSet(*c)) filterLines << *c;

    QStringList q{
        QStringLiteral("select distinct BORD10.*, c.[ID03] as Periode, c.[5004], c.[5012], c.[5009], "
                       "c.[5010], c.TotaalPremie, c.TotaalCorrectie, c.Totaal"),
        QStringLiteral("from BORD10,"), QStringLiteral("(")};
    q << premiumAndCorrection(
             QStringLiteral("BORD50."),
             QStringList{kTab2 + QStringLiteral("where BORD50.[5002]  = '1'")} + filterLines,
             QStringList{QStringLiteral("   where (BORD50.[5002]  = '2' or BORD50.[5002] = '3') ")} +
                 filterLines)
      << kTab + QStringLiteral("where id01 = :CollNr1 and id02 = :CollVolgNr1")
      << QStringLiteral("       group by ") + componentKeys({}) << QStringLiteral(") c")
      << QStringLiteral("where BORD10.id07 = c.id05");
    q << (type == InsuranceType::SicknessFundOrPrivate
              ? QStringLiteral(" AND BORD10.[ID03] <= '2005-12' and bord10.[1024] in ('Z', 'P')")
              : QStringLiteral(" AND BORD10.[ID03] >= '2006-01' and bord10.[1024] = ' ' "));
    // The months of the other type are not this type's premiums.
    q << typeMonthCondition(type, QStringLiteral("c.[ID03]"));
    q << QStringLiteral("and BORD10.id01 = :CollNr2 and BORD10.id02 = :CollVolgNr2");
    if (isSet(clauses.search)) q << clauses.search;
    if (isSet(clauses.filter)) q << clauses.filter;
    q << (compoundSurname
              ? QStringLiteral("ORDER BY ") + CollectivityQueries::compoundSurname() +
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
        kTab + QStringLiteral("select ") + componentKeys(QStringLiteral("BORD50.")) +
            QStringLiteral(", 0.00 as TotaalPremie, sum(BORD50.[5008]) as TotaalCorrectie"),
        kTab + QStringLiteral("from bord50"),
        kTab + QStringLiteral("where (BORD50.[5002]  = '2' or BORD50.[5002] = '3')"),
        kTab + QStringLiteral("and bord50.[id03] = :PremiePeriode"),
        kTab + QStringLiteral("and BORD50.id01 = :CollNr and BORD50.id02 = :CollVolgNr"),
        kTab + QStringLiteral("group by ") + componentKeys(QStringLiteral("BORD50.")),
        QStringLiteral(") c"),
        QStringLiteral("where BORD10.id07 = c.id05"),
    };
    q << (type == InsuranceType::SicknessFundOrPrivate
              ? QStringLiteral(" and c.[ID03] <= '2005-12'  and bord10.[1024] in ('Z', 'P') ")
              : QStringLiteral(" and c.[ID03] >= '2006-01'  and bord10.[1024] = ' ' "));
    q << (compoundSurname
              ? QStringLiteral("ORDER BY ") + CollectivityQueries::compoundSurname() +
                    QStringLiteral(", BORD10.ID07, c.ID03, c.[5012]")
              : QStringLiteral(
                    "ORDER BY BORD10.[1002], BORD10.[1003], BORD10.ID07, c.ID03, c.[5012], c.[5009], "
                    "c.[5010]"));
    return q;
}

QStringList ReportQueries::renewalDifferences(CollectivityKey collectivity, InsuranceType type,
                                              const QString& from, const QString& to) {
    // The months come from the database; quoted as literals all the same.
    const QString a = sqlTextLiteral(from);
    const QString b = sqlTextLiteral(to);
    const QString n = QString::number(collectivity.number);
    const QString v = QString::number(collectivity.sequence);
    const bool first = type == InsuranceType::SicknessFundOrPrivate;
    const QString x = first ? QStringLiteral("[5007]") : QStringLiteral("[5012]");
    const QString p =
        first ? QStringLiteral(" and c.[ID03] <= '2005-12' ") : QStringLiteral(" and c.[ID03] >= '2006-01' ");
    const QString t =
        first ? QStringLiteral(" and c.[1024] in ('Z', 'P') ") : QStringLiteral(" and c.[1024] = ' ' ");
    const QString personColumns =
        QStringLiteral("[ID03], a.[ID04], a.[ID05], c.[1002], c.[1003], c.[1004], "
                       "c.[1020], c.[1021], c.[1022], a.[ID07], a.[5003], a.[5004],");
    const QString line2 = QStringLiteral("a.[5005], a.[5006], a.") + x + QStringLiteral(", ") + a +
                          QStringLiteral(" as 5009a, '' as 5010a, a.[5008] as Premie1, ") + b +
                          QStringLiteral(" as 5009b,");
    const auto notIn = [&](const QString& month, const QString& alias) {
        return QStringLiteral("(select [5004] from bord50 where [ID03]= ") + month +
               QStringLiteral(" and [ID07]= ") + alias +
               QStringLiteral(".[ID07] and [5002]='1' and [ID01]=") + n + QStringLiteral(" and [ID02]=") + v +
               QStringLiteral(")");
    };
    return {
        QStringLiteral("select a.") + personColumns,
        line2,
        QStringLiteral(" '' as 5010b, b.[5008] as Premie2, b.[5008] - a.[5008] as Verschil, a.[5012]"),
        QStringLiteral("from bord50 a, bord50 b, bord10 c"),
        QStringLiteral("where a.[ID07] = c.[ID07]"),
        QStringLiteral("and a.[5008] <> b.[5008]"),
        QStringLiteral("and a.[5002] = '1'"),
        QStringLiteral("and b.[5002] = '1'"),
        QStringLiteral("and a.[ID07] = b.[ID07]"),
        QStringLiteral("and a.[5004] = b.[5004]"),
        QStringLiteral("and a.[ID03] = ") + a,
        QStringLiteral("and b.[ID03] = ") + b,
        QStringLiteral("and a.[ID01] = ") + n,
        QStringLiteral("and a.[ID02] = ") + v,
        QStringLiteral("and b.[ID01] = ") + n,
        QStringLiteral("and b.[ID02] = ") + v,
        p + p + t,
        QStringLiteral("union select distinct a.") + personColumns,
        line2,
        QStringLiteral(" '' as 5010b, '0,00' as Premie2, '0,00' - a.[5008] as Verschil, a.[5012]"),
        QStringLiteral("from bord50 a, bord10 c"),
        QStringLiteral("where a.[ID07] = c.[ID07]"),
        QStringLiteral("and a.[5002] = '1'"),
        QStringLiteral("and a.[ID03] = ") + a,
        QStringLiteral("and a.[ID01] = ") + n,
        QStringLiteral("and a.[ID02] = ") + v,
        QStringLiteral("and a.[5004] not in"),
        notIn(b, QStringLiteral("a")),
        p + t,
        QStringLiteral(
            "union select distinct b.[ID03], b.[ID04], b.[ID05], c.[1002], c.[1003], c.[1004], c.[1020], "
            "c.[1021], c.[1022], b.[ID07], b.[5003], b.[5004],"),
        QStringLiteral("b.[5005], b.[5006], b.") + x + QStringLiteral(", ") + a +
            QStringLiteral(" as 5009a, '' as 5010a, '0,00' as Premie1, ") + b + QStringLiteral(" as 5009b,"),
        QStringLiteral(" '' as 5010b, b.[5008] as Premie2, b.[5008] as Verschil, b.[5012]"),
        QStringLiteral("from bord50 b, bord10 c"),
        QStringLiteral("where b.[ID07] = c.[ID07]"),
        QStringLiteral("and b.[5002] = '1'"),
        QStringLiteral("and b.[ID03] = ") + b,
        QStringLiteral("and b.[ID01] = ") + n,
        QStringLiteral("and b.[ID02] = ") + v,
        QStringLiteral("and b.[5004] not in "),
        notIn(a, QStringLiteral("b")),
        p + t,
    };
}

QString ReportQueries::exportColumns(const QStringList& fields, const QString& table) {
    QStringList columns;
    for (const QString& f : fields)
        columns << table + QStringLiteral(".[") + f + u']';
    return columns.join(QStringLiteral(", "));
}

QString ReportQueries::exportSelect(const QStringList& personFields, const QStringList& componentFields) {
    const QString persons = exportColumns(personFields, QStringLiteral("bord10"));
    const QString components = exportColumns(componentFields, QStringLiteral("bord50"));
    return QStringLiteral("SELECT ") +
           (persons.isEmpty() || components.isEmpty() ? persons + components : persons + u',' + components);
}

QStringList ReportQueries::exportQuery(const QString& select, bool withComponents, const ReportInputs& in) {
    QStringList q{select};
    if (withComponents) {
        QString selection = in.selectionClause;
        for (const QString& key : {QStringLiteral(":ID07"), QStringLiteral(":ID05")}) {
            const qsizetype at = selection.indexOf(key, 0, Qt::CaseSensitive);
            if (at >= 0) selection.replace(at, key.size(), QStringLiteral("bord10.ID07"));
        }
        q << QStringLiteral("from bord10, bord50") << in.personsWhereLine << selection;
        // Only the months of the window's insurance type: a person of both
        // types has the other type's components too.
        q << typeMonthCondition(in.insuranceType, QStringLiteral("bord50.[ID03]"));
    } else {
        q << QStringLiteral("from bord10") << in.personsWhereLine;
    }
    q << in.searchClause << in.unitClause << in.soortClause << in.componentsPeriodClause << in.componentClause
      << in.herkomstClause;
    return q;
}

const QString ReportQueries::CollectivityCount =
    QStringLiteral("select count(*) from bord00 where ID01 = :CollNr and ID02 = :CollVolgNr");
const QString ReportQueries::StatementCount = QStringLiteral(
    "select count(*) from bord00 where ID01 = :CollNr and ID02 = :CollVolgNr and ID03 = :Maand");

} // namespace ostrapel
