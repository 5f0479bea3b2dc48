#pragma once

#include "BulkSink.h"

#include <memory>
#include <vector>

typedef struct pg_conn PGconn;

namespace ostrapel {

// The libpq connection behind the Qt connection, when it can be used for COPY:
// the driver's own open session (same server process as Qt's queries), talking UTF-8.
PGconn* postgreSqlHandle(Connection& connection);

// COPY ... FROM STDIN in text format on that handle, one buffer per table.
std::unique_ptr<BulkSink> makePostgreSqlCopySink(PGconn* conn, const Connection& connection,
                                                 const std::vector<size_t>& columns);

} // namespace ostrapel
