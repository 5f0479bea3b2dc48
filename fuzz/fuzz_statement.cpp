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
#include <QTemporaryDir>
#include <cstdint>

using namespace ostrapel;

namespace {

struct Fixture {
    QTemporaryDir dir;
    Connection connection{QStringLiteral("fuzz")};
    RecordCatalogue catalogue;
    SilentImportView view;
    Fixture() {
        const QString db = dir.filePath(QStringLiteral("borderel.db"));
        QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), db);
        connection.open(ConnectionString::forSqliteFile(db).toString());
        catalogue.loadRecordLayouts(connection);
    }
};

Fixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    fixture = new Fixture;
    return 0;
}

// The input stands for the bytes of a statement file: read as the import reads
// a file, without a file per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = statementText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    try {
        const StatementSummary s = checkStatementBytes(fixture->catalogue, fixture->view,
                                                       QStringLiteral("000012001-01S.dat"), bytes, 1);
        (void)errorReasons(s);
    } catch (const ImportError&) {
        // a value the check must read and cannot ends the run: expected
    }
    // every field of every line, as the import converts them
    for (const QString& line : statementLines(bytes)) {
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
