#pragma once

namespace ostrapel {

// The engines a connection string can name: the embedded file, or a shared server.
enum class DatabaseEngine { Sqlite, PostgreSql };

} // namespace ostrapel
