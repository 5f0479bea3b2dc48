#pragma once

#include "BulkSink.h"

#include <memory>
#include <vector>

struct sqlite3;

namespace ostrapel {

class RecordCatalogue;

// Prepared statements on the SQLite engine's own handle, one per table.
std::unique_ptr<BulkSink> makeSqliteStatementSink(sqlite3* db, Connection& connection,
                                                  const RecordCatalogue& catalogue,
                                                  const std::vector<size_t>& columns);

} // namespace ostrapel
