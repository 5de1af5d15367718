// Copying an open dictionary to a new file. Private to the store.
#pragma once

#include <functional>
#include <string>

#include "dictionary/sql.h"
#include "dictionary/status.h"

namespace dict {

// Copies the database of `from` to a new file `to`, creating its folders:
// written into a temporary file beside `to`, flushed to disk and renamed into
// place, so `to` is either absent or whole. Never replaces an existing file.
// `prepare` may add to the copy before it goes into place (false with the
// reason stops the copy). On success *out holds `to` opened read-write.
Status copyDatabaseTo(sqlite3* from, const std::string& to,
                      const std::function<bool(sqlite3* copy, std::string* why)>& prepare,
                      sql::DbHandle* out);

}  // namespace dict
