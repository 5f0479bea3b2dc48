// ostrapel-samples: writes sample statement archives; --help lists the options.
#include "SampleGenerator.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/RecordCatalogue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <type_traits>

using namespace ostrapel;

namespace {

int fail(QCommandLineParser& parser, const QString& problem) {
    std::fprintf(stderr, "ostrapel-samples: %s\n\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ostrapel-samples"));
    SampleOptions o;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes sample statement archives."));
    parser.addHelpOption();
    const QCommandLineOption outOption(
        QStringLiteral("out"), QStringLiteral("Folder to write into (required)."), QStringLiteral("DIR"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                        QStringLiteral("N"), QString::number(o.seed));
    const QCommandLineOption collOption(QStringLiteral("collectivities"), QStringLiteral("Collectivities."),
                                        QStringLiteral("N"), QString::number(o.collectivities));
    const QCommandLineOption personsOption(QStringLiteral("persons"),
                                           QStringLiteral("Insured persons per collectivity."),
                                           QStringLiteral("N"), QString::number(o.persons));
    const QCommandLineOption componentsOption(QStringLiteral("components"),
                                              QStringLiteral("Components per person and month."),
                                              QStringLiteral("N"), QString::number(o.componentsPerPerson));
    const QCommandLineOption periodsOption(QStringLiteral("periods"),
                                           QStringLiteral("Periods, comma-separated (yyyy-mm,...)."),
                                           QStringLiteral("LIST"), o.periods.join(u','));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Fault to build in: records, persons, version, nocontrol, amount."),
        QStringLiteral("KIND"));
    const QCommandLineOption noZipOption(QStringLiteral("no-zip"), QStringLiteral("Write no archives."));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("Database with the record layouts."),
                                      QStringLiteral("FILE"), QStringLiteral(OSTRAPEL_DELIVERED_DB));
    parser.addOptions({outOption, seedOption, collOption, personsOption, componentsOption, periodsOption,
                       faultOption, noZipOption, dbOption});
    if (!parser.parse(app.arguments())) return fail(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(parser,
                    QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    const QString out = parser.value(outOption);
    if (out.isEmpty()) return fail(parser, QStringLiteral("--out DIR is required"));
    const QString db = parser.value(dbOption);
    // whole numbers, read strictly: a typo is an error, not a zero
    auto number = [&](const QCommandLineOption& option, auto* target) {
        bool ok = false;
        const qlonglong v = parser.value(option).toLongLong(&ok);
        if (!ok || v < 0) return false;
        *target = std::remove_pointer_t<decltype(target)>(v);
        return true;
    };
    if (!number(seedOption, &o.seed) || !number(collOption, &o.collectivities) ||
        !number(personsOption, &o.persons) || !number(componentsOption, &o.componentsPerPerson))
        return fail(parser,
                    QStringLiteral("--seed, --collectivities, --persons and --components take a number"));
    o.periods = parser.value(periodsOption).split(u',');
    o.fault = parser.value(faultOption);
    o.zip = !parser.isSet(noZipOption);
    try {
        Connection c(QStringLiteral("samples"));
        c.open(ConnectionString::forSqliteFile(db).toString());
        RecordCatalogue catalogue;
        catalogue.load(c);
        QString error;
        const QStringList files = SampleGenerator(catalogue, o).writeAll(out, &error);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "ostrapel-samples: %s\n", qPrintable(error));
            return 1;
        }
        for (const QString& f : files)
            std::printf("%s\n", qPrintable(f));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ostrapel-samples: %s\n", e.what());
        return 1;
    }
    return 0;
}
