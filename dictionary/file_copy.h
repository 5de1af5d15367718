// Copying an open dictionary to a new file. Private to the store.
#pragma once

#include <string>

#include "dictionary/sql.h"
#include "dictionary/status.h"

namespace dict {

// Copies the database of `from` to a new file `to`, creating its folders:
// written into a temporary file beside `to`, flushed to disk and renamed into
// place, so `to` is either absent or whole. Never replaces an existing file.
// On success *out holds `to` opened read-write.
Status copyDatabaseTo(sqlite3* from, const std::string& to, sql::DbHandle* out);

}  // namespace dict
