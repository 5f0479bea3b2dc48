// ostrapel-samples: writes sample statement archives.
//   ostrapel-samples --out DIR [--seed N] [--collectivities N] [--persons N]
//                    [--components N] [--periods 2005-12,2006-01] [--fault KIND] [--no-zip] [--db FILE]
// KIND: records, persons, version, nocontrol, amount.
#include "SampleGenerator.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/RecordCatalogue.h"

#include <QCoreApplication>
#include <cstdio>

using namespace ostrapel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SampleOptions o;
    QString out, db = QStringLiteral(OSTRAPEL_DELIVERED_DB);
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        const QString v = i + 1 < a.size() ? a[i + 1] : QString();
        if (a[i] == QStringLiteral("--out"))
            out = v, ++i;
        else if (a[i] == QStringLiteral("--seed"))
            o.seed = v.toUInt(), ++i;
        else if (a[i] == QStringLiteral("--collectivities"))
            o.collectivities = v.toInt(), ++i;
        else if (a[i] == QStringLiteral("--persons"))
            o.persons = v.toInt(), ++i;
        else if (a[i] == QStringLiteral("--components"))
            o.componentsPerPerson = v.toInt(), ++i;
        else if (a[i] == QStringLiteral("--periods"))
            o.periods = v.split(u','), ++i;
        else if (a[i] == QStringLiteral("--fault"))
            o.fault = v, ++i;
        else if (a[i] == QStringLiteral("--db"))
            db = v, ++i;
        else if (a[i] == QStringLiteral("--no-zip"))
            o.zip = false;
        else {
            std::fprintf(stderr, "unknown argument %s\n", qPrintable(a[i]));
            return 2;
        }
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: ostrapel-samples --out DIR [options]\n");
        return 2;
    }
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
