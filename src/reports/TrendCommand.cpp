#include "TrendCommand.h"

#include <utility>

namespace ostrapel {

namespace {

QString decimalComma(double amount) {
    return QString::number(amount, 'f', 2).replace(u'.', u',');
}

} // namespace

std::optional<TrendCommand> TrendCommand::parse(const QStringList& args, QString* error) {
    TrendCommand c;
    const auto options = parseOptions(args,
                                      {QStringLiteral("--coll"), QStringLiteral("--type"),
                                       QStringLiteral("--from"), QStringLiteral("--to")},
                                      {}, error);
    if (!options || !c.read(*options, error)) return std::nullopt;
    c.from = options->value(QStringLiteral("--from"));
    c.to = options->value(QStringLiteral("--to"));
    const std::pair<QString, QString> months[] = {{QStringLiteral("--from"), c.from},
                                                  {QStringLiteral("--to"), c.to}};
    for (const auto& [option, month] : months)
        if (error->isEmpty() && options->contains(option) && !isMonth(month))
            *error = QStringLiteral("Ongeldige maand bij %1: %2 (JJJJ-MM)").arg(option, month);
    if (error->isEmpty() && !c.from.isEmpty() && !c.to.isEmpty() && c.to < c.from)
        *error = QStringLiteral("--to %1 ligt voor --from %2").arg(c.to, c.from);
    if (!error->isEmpty()) return std::nullopt;
    return c;
}

QStringList TrendCommand::lines(Connection& connection) const {
    QStringList out;
    for (const TrendMonth& m : PremiumTrend::read(connection, collectivity, insuranceType, from, to))
        out << line(m);
    return out;
}

QString TrendCommand::line(const TrendMonth& m) {
    return QStringLiteral("%1;%2;%3;%4")
        .arg(m.month, decimalComma(m.premium), decimalComma(m.corrections))
        .arg(m.persons);
}

} // namespace ostrapel
