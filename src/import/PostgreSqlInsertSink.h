#pragma once

#include "BulkSink.h"

#include <memory>
#include <vector>

namespace ostrapel {

// Multi-row INSERTs through Qt, for a driver whose libpq handle cannot be had.
std::unique_ptr<BulkSink> makePostgreSqlInsertSink(Connection& connection,
                                                   const std::vector<size_t>& columns);

} // namespace ostrapel
