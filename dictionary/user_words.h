// The user's own words over the shipped dictionary. Private to the store.
//
// A dictionary file the user writes keeps, beside table dict, which headwords
// the user added, changed or deleted, and which shipped dictionary its other
// rows last followed:
//
//   vantrel_user_words (Word_en TEXT NOT NULL, deleted INTEGER NOT NULL),
//       unique index vantrel_user_words_key on Word_en COLLATE NOCASE;
//   vantrel_shipped (path TEXT NOT NULL, size INTEGER NOT NULL,
//       mtime_ns INTEGER NOT NULL): the shipped file taken in last, one row.
//
// Table dict holds the result, so any reader sees one ordinary dictionary:
// the user's words as the user left them, the user's deletions absent, every
// other row as the shipped dictionary has it. Every write of a record marks
// its headword in the same transaction.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/record.h"
#include "dictionary/sql.h"
#include "dictionary/status.h"

namespace dict::user {

// The user's mark on one headword.
struct Mark {
    std::string word;      // as the user last wrote it
    bool deleted = false;  // the user deleted it; otherwise added or changed it
};

// The marks of a file by folded headword (foldCase), in headword order.
using Marks = std::map<std::string, Mark>;

// Creates the two tables when they are missing (inside the caller's transaction).
bool createTables(sqlite3* db, std::string* why);

// Marks word as the user's (deleted or not), replacing any mark of its key.
bool mark(sqlite3* db, std::string_view word, bool deleted, std::string* why);
// Removes the mark of word's key.
bool unmark(sqlite3* db, std::string_view word, std::string* why);
// Reads every mark; a file without the table has none.
bool readMarks(sqlite3* db, Marks* out, std::string* why);

// Marks written inside one write transaction, taken into the in-memory marks
// once it has committed.
class MarkBatch final {
public:
    // Marks word as the user's, deleted or not.
    void add(std::string_view word, bool deleted);
    // Takes the mark of word's key away.
    void remove(std::string_view word);
    // Writes the marks in order, creating the tables first when there are any.
    bool write(sqlite3* db, std::string* why) const;
    void applyTo(Marks* marks) const;

private:
    struct Entry {
        std::string word;
        std::optional<bool> deleted;  // nullopt: unmark
    };
    std::vector<Entry> m_entries;
};

// What identifies one installed shipped file cheaply.
struct Stamp {
    std::string path;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    bool operator==(const Stamp&) const = default;
};

// The stamp of the file at path now; false when it is not a regular file.
bool stampOf(const std::string& path, Stamp* out);
// The stamp the file last took in; false when there is none (no table, or
// the file has never followed a shipped dictionary).
bool readStamp(sqlite3* db, Stamp* out);
// Records the stamp taken in (inside the caller's transaction).
bool writeStamp(sqlite3* db, const Stamp& stamp, std::string* why);

// Brings the user's file at userPath in step with the shipped file at
// shippedPath, whose stamp is `stamp`, in one transaction: rows the user never
// touched become the shipped ones (new words added, changed ones changed,
// words the shipped file dropped removed), the user's words stay as they are
// and the user's deletions stay deleted. A file that has never followed a
// shipped dictionary (a copy made before the record of changes existed) is
// taken over first: its rows that differ from the shipped ones count as the
// user's, and when it is a copy of this very shipped file, the shipped words
// it lacks count as the user's deletions. Killed at any moment, the file keeps
// what it held before; the next call does the whole work.
Status takeInShipped(const std::string& userPath, const std::string& shippedPath,
                     const Stamp& stamp);

// The shipped file's record of word (key semantics), or nullopt when it has none.
Status readShippedRecord(const std::string& shippedPath, std::string_view word,
                         std::optional<DictRecord>* out);

}  // namespace dict::user
