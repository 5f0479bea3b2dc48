#include "CommandArguments.h"

#include "ReportQueries.h"

#include "core/Connection.h"
#include "core/SqlFragments.h"

#include <QRegularExpression>
#include <algorithm>

namespace ostrapel {

const QStringList CommandTarget::kOptions{QStringLiteral("--coll"), QStringLiteral("--type"),
                                          QStringLiteral("--period"), QStringLiteral("--out")};

std::optional<QHash<QString, QString>> parseOptions(const QStringList& args, const QStringList& valued,
                                                    const QStringList& flags, QString* error) {
    QHash<QString, QString> options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (flags.contains(option)) {
            options[option] = QString();
        } else if (!valued.contains(option)) {
            *error = QStringLiteral("Onbekende optie: %1").arg(option);
            return std::nullopt;
        } else if (i + 1 >= args.size()) {
            *error = QStringLiteral("Waarde ontbreekt bij %1").arg(option);
            return std::nullopt;
        } else {
            options[option] = args[++i];
        }
    }
    return options;
}

bool isMonth(const QString& text) {
    static const QRegularExpression month(QStringLiteral("^\\d{4}-(0[1-9]|1[0-2])$"));
    return month.match(text).hasMatch();
}

bool isPeriodOption(const QString& text) {
    // The form a window's period setting takes, given, and of real months.
    const QStringList months = text.split(u';');
    return !text.isEmpty() && isPeriodSetting(text) && std::all_of(months.cbegin(), months.cend(), isMonth);
}

bool CommandTarget::read(const QHash<QString, QString>& options, QString* error) {
    const QString coll = options.value(QStringLiteral("--coll"));
    const std::optional<CollectivityKey> key = CollectivityKey::parse(coll);
    if (key) collectivity = *key;
    const QString type = options.value(QStringLiteral("--type"));
    // Only the digit itself: " 1" or "01" is no type.
    const std::optional<InsuranceType> typeRead = insuranceTypeFromStored(type == QStringLiteral("1")   ? 1
                                                                          : type == QStringLiteral("2") ? 2
                                                                                                        : 0);
    if (typeRead) insuranceType = *typeRead;
    period = options.value(QStringLiteral("--period"));
    outFile = options.value(QStringLiteral("--out"));
    if (!key)
        *error = QStringLiteral("--coll NR-VOLGNR ontbreekt of is ongeldig: %1").arg(coll);
    else if (!typeRead)
        *error = QStringLiteral("--type 1|2 ontbreekt of is ongeldig: %1").arg(type);
    // One month, or two joined by ";": anything else would quietly select every
    // month or none.
    if (error->isEmpty() && options.contains(QStringLiteral("--period")) && !isPeriodOption(period))
        *error = QStringLiteral("Ongeldige periode: %1 (JJJJ-MM of JJJJ-MM;JJJJ-MM)").arg(period);
    return error->isEmpty();
}

QString CommandTarget::unknownCollectivity(Connection& connection) const {
    const bool known =
        connection
            .scalar(ReportQueries::CollectivityCount, {{QStringLiteral("CollNr"), collectivity.number},
                                                       {QStringLiteral("CollVolgNr"), collectivity.sequence}})
            .toInt() > 0;
    return known ? QString()
                 : QStringLiteral("Collectiviteit %1 komt niet voor in de database").arg(collectivity.text());
}

} // namespace ostrapel
