// Statement reading, field conversion and the check pass on arbitrary bytes.
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/RecordCatalogue.h"
#include "import/CheckPass.h"
#include "import/SilentImportView.h"
#include "import/StatementFields.h"
#include "import/StatementFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>

using namespace ostrapel;

namespace {

// The input goes to a file on a memory file system where there is one: the
// statement is read by name, as the import reads it.
QString fixtureFolder() {
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isWritable() ? shm + QStringLiteral("/ostrapel-fuzz-XXXXXX") : QString();
}

struct Fixture {
    QTemporaryDir dir = fixtureFolder().isEmpty() ? QTemporaryDir() : QTemporaryDir(fixtureFolder());
    Connection connection{QStringLiteral("fuzz")};
    RecordCatalogue catalogue;
    SilentImportView view;
    QString path;
    Fixture() {
        const QString db = dir.filePath(QStringLiteral("borderel.db"));
        QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), db);
        connection.open(ConnectionString::forSqliteFile(db).toString());
        catalogue.loadRecordLayouts(connection);
        path = dir.filePath(QStringLiteral("000012001-01S.dat"));
    }
};

Fixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    fixture = new Fixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QFile f(fixture->path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    try {
        const StatementSummary s = checkStatementFile(fixture->catalogue, fixture->view, fixture->path, 1);
        (void)errorReasons(s);
    } catch (const ImportError&) {
        // a value the check must read and cannot ends the run: expected
    }
    // every field of every line, as the import converts them
    for (const QString& line : readStatementLines(fixture->path)) {
        const QString type = recordTypeOf(fixture->catalogue, line);
        for (const QString& kind : {QStringLiteral("ID"), type}) {
            const KindEntries* fields = fixture->catalogue.kindList(kind);
            if (!fields) continue;
            for (const auto& e : *fields)
                (void)convertFieldValue(kind, e->name.mid(2, 2), e->type,
                                        rawFieldText(line, e->start, e->length));
        }
    }
    return 0;
}
