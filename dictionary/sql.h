// SQLite helpers of the dictionary store: owners of a connection and of a
// prepared statement, the statements that write whole records, and binding
// and reading field values. Private to the store.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

#include "dictionary/record.h"

namespace dict::sql {

// How long a connection waits for another program's lock on the file before a
// statement fails as busy: long enough for a second window starting at the same
// moment, short enough that a save on a file held elsewhere answers soon.
constexpr int kLockWaitMs = 2000;

// The table and its unique index on the headword.
constexpr std::string_view kSchema =
    "CREATE TABLE dict (Word_en TEXT NOT NULL, Word_Noun TEXT, Word_verb TEXT, Word_adv TEXT, "
    "Word_Adj TEXT, Word_pp TEXT, Word_Conj TEXT, Word_read TEXT, Word_Question TEXT, "
    "Word_idiom TEXT);"
    "CREATE UNIQUE INDEX PrimaryKey ON dict (Word_en COLLATE NOCASE);";

// Writes one record, its ten fields bound as ?1 to ?10 (see bindRecord).
constexpr std::string_view kInsert =
    "INSERT INTO dict (Word_en, Word_Noun, Word_verb, Word_adv, Word_Adj, Word_pp, Word_Conj, "
    "Word_read, Word_Question, Word_idiom) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)";

// Rewrites the record of rowid ?11 with the ten fields bound as ?1 to ?10.
constexpr std::string_view kUpdate =
    "UPDATE dict SET Word_en = ?1, Word_Noun = ?2, Word_verb = ?3, Word_adv = ?4, Word_Adj = ?5, "
    "Word_pp = ?6, Word_Conj = ?7, Word_read = ?8, Word_Question = ?9, Word_idiom = ?10 "
    "WHERE rowid = ?11";

// Closes a connection when it goes.
struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

// Owns a prepared statement.
class Stmt final {
public:
    Stmt() = default;
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    // Replaces the statement held with sql prepared on db; SQLite's result code.
    int prepare(sqlite3* db, std::string_view sql);
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

// Text of column col of the current row; the empty text for NULL.
std::string columnText(sqlite3_stmt* st, int col);

// Binds the ten fields of rec as parameters 1 to 10, absent fields as NULL.
void bindRecord(sqlite3_stmt* st, const DictRecord& rec);

// SQLite's reason for result code rc, from the connection when there is one.
std::string reason(sqlite3* db, int rc);

// Runs sql that returns no rows; on failure fills *why when it is given.
bool exec(sqlite3* db, const char* sql, std::string* why);

}  // namespace dict::sql
