#pragma once

struct sqlite3;

namespace ostrapel {

// Makes every text comparison of the connection ignore case for all letters,
// not only ASCII: NOCASE (the declared collation of every text column) and
// LIKE fold case as QString does, and NOCASE orders accented letters with
// their base letter. ASCII texts keep SQLite's own order, so the indexes the
// engine built stay valid. "ostrapel_fold" names the same order for columns
// without a declared collation.
void registerTextFunctions(sqlite3* db);

} // namespace ostrapel
