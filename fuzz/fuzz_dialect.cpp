// The Jet dialect's rewriting of SQL text on arbitrary input.
#include "core/JetDialect.h"

#include <cstdint>

using namespace ostrapel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const JetDialect dialect = [] {
        JetDialect d;
        d.setSchemaColumns({QStringLiteral("collnaam"), QStringLiteral("0003")},
                           {QStringLiteral("collnaam"), QStringLiteral("0003"), QStringLiteral("id01")});
        return d;
    }();
    const QString sql = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)dialect.translate(sql);
    return 0;
}
