// The Jet dialect's rewriting of SQL text on arbitrary input, for both engines.
#include "core/JetDialect.h"

#include <cstdint>

using namespace ostrapel;

namespace {

JetDialect makeDialect(DatabaseEngine engine) {
    JetDialect d(engine);
    d.setSchemaColumns({QStringLiteral("collnaam"), QStringLiteral("0003")},
                       {QStringLiteral("collnaam"), QStringLiteral("0003"), QStringLiteral("id01")});
    d.setSchemaTables({QStringLiteral("bord00"), QStringLiteral("RecStruct")});
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const JetDialect sqlite = makeDialect(DatabaseEngine::Sqlite);
    static const JetDialect postgres = makeDialect(DatabaseEngine::PostgreSql);
    const QString sql = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)sqlite.translate(sql);
    (void)postgres.translate(sql);
    return 0;
}
