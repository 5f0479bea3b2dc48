#include "SqliteTextFunctions.h"

#include "TextOrder.h"

#include <QString>
#include <sqlite3.h>

namespace ostrapel {

namespace {

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareUtf8Texts(static_cast<const char*>(a), lengthA, static_cast<const char*>(b), lengthB);
}

QString textOf(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

void like(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return; // NULL, as the engine's own
    QChar escape;
    if (argc == 3) {
        const QString e = textOf(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    // like(pattern, text): the engine hands the pattern first
    sqlite3_result_int(context, likeMatches(textOf(argv[0]), textOf(argv[1]), escape) ? 1 : 0);
}

} // namespace

void registerTextFunctions(sqlite3* db) {
    if (!db) return;
    for (const char* name : {"NOCASE", "ostrapel_fold"})
        sqlite3_create_collation_v2(db, name, SQLITE_UTF8, nullptr, collate, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, like, nullptr, nullptr, nullptr);
}

} // namespace ostrapel
