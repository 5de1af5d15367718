// What the parts of the store share behind DictionaryStore: the open database
// and the image of its table. Private to the store.
#pragma once

#include <functional>
#include <string>

#include "dictionary/sql.h"
#include "dictionary/store.h"
#include "dictionary/table_image.h"
#include "dictionary/user_words.h"

namespace dict {

struct DictionaryStore::Impl {
    sql::DbHandle db;
    TableImage image;
    user::Marks marks;  // the user's own headwords, in step with the file
};

// True of table dict of the database `schema` ("main", or the name it was
// attached under) when it has the dictionary's ten columns in order (names in
// any case) and index PrimaryKey: unique, on Word_en alone, NOCASE. The error
// names the file at path.
Status checkSchema(sqlite3* d, const std::string& path, const std::string& schema);

// A write that did not reach the file, naming the file: SQLite's reason, said
// plainly when the file was taken away from under the open database.
Status writeFailure(const DictionaryStore& store, sqlite3* db, const std::string& reason);

// Runs `write` between BEGIN IMMEDIATE and COMMIT on the store's database,
// rolling back when it or the commit fails; the failure names the file.
Status inWriteTransaction(const DictionaryStore& store, sqlite3* db,
                          const std::function<Status()>& write);

}  // namespace dict
