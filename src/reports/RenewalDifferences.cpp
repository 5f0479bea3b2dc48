#include "RenewalDifferences.h"

#include "ReportTexts.h"

#include "core/SqlFragments.h"

namespace ostrapel {

QString RenewalDifferences::title(const QString& from, const QString& to) {
    return ReportTexts::ProlongatieverschillenTitle + ReportTexts::ComparisonText.arg(to, from);
}

QStringList RenewalDifferences::query(const QString& from, const QString& to) const {
    // The months come from the database; quoted as literals all the same.
    const QString a = sqlTextLiteral(from);
    const QString b = sqlTextLiteral(to);
    const QString n = QString::number(collectivity_.number);
    const QString v = QString::number(collectivity_.sequence);
    const bool first = insuranceType_ == InsuranceType::SicknessFundOrPrivate;
    const QString x = componentNameColumn(insuranceType_);
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

} // namespace ostrapel
