#include "dictionary/user_words.h"

#include <sys/stat.h>

#include "dictionary/store_impl.h"

namespace dict::user {
namespace {

using sql::Stmt;

constexpr const char* kCreate =
    "CREATE TABLE IF NOT EXISTS vantrel_user_words (Word_en TEXT NOT NULL, "
    "deleted INTEGER NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS vantrel_user_words_key ON vantrel_user_words "
    "(Word_en COLLATE NOCASE);"
    "CREATE TABLE IF NOT EXISTS vantrel_shipped (path TEXT NOT NULL, size INTEGER NOT NULL, "
    "mtime_ns INTEGER NOT NULL);";

bool hasTable(sqlite3* db, const char* name) {
    Stmt st;
    if (st.prepare(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1") !=
        SQLITE_OK)
        return false;
    sqlite3_bind_text(st.get(), 1, name, -1, SQLITE_STATIC);
    return sqlite3_step(st.get()) == SQLITE_ROW;
}

bool step(sqlite3* db, Stmt& st, std::string* why) {
    if (sqlite3_step(st.get()) == SQLITE_DONE) return true;
    if (why) *why = sqlite3_errmsg(db);
    return false;
}

bool prepare(sqlite3* db, Stmt& st, std::string_view text, std::string* why) {
    if (st.prepare(db, text) == SQLITE_OK) return true;
    if (why) *why = sqlite3_errmsg(db);
    return false;
}

void bindText(sqlite3_stmt* st, int index, std::string_view text) {
    sqlite3_bind_text(st, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// The ten columns, each prefixed with "table." unless table is empty.
std::string columns(std::string_view table) {
    std::string out;
    for (std::string_view name : kFieldNames) {
        if (!out.empty()) out += ", ";
        if (!table.empty()) out.append(table).append(".");
        out.append(name);
    }
    return out;
}

// True in SQL when rows s and d hold the same ten values, spelling included.
std::string sameRow() {
    std::string out;
    for (std::string_view name : kFieldNames) {
        if (!out.empty()) out += " AND ";
        out.append("s.").append(name).append(" IS d.").append(name);
    }
    return out;
}

// The user's mark on the key of d's headword.
constexpr const char* kMarked =
    "EXISTS (SELECT 1 FROM main.vantrel_user_words u WHERE u.Word_en = d.Word_en COLLATE NOCASE)";

// A file that has never followed a shipped dictionary: its rows that differ
// from the shipped ones are the user's. A copy the program made of a shipped
// file is a copy page for page, so every row keeps the shipped row's number;
// when all rows the two share by number also share the headword (or are the
// user's), the copy is of this very file and the shipped words it lacks were
// deleted by the user. Words past the last row the user left alone may be new
// in the shipped file instead, and are not taken for deletions.
bool takeOver(sqlite3* db, std::string* why) {
    const std::string differing =
        "INSERT OR IGNORE INTO main.vantrel_user_words (Word_en, deleted) "
        "SELECT d.Word_en, 0 FROM main.dict d WHERE NOT EXISTS (SELECT 1 FROM shipped.dict s "
        "WHERE s.Word_en = d.Word_en COLLATE NOCASE AND " +
        sameRow() + ")";
    if (!sql::exec(db, differing.c_str(), why)) return false;

    Stmt st;
    if (!prepare(db, st,
                 std::string("SELECT coalesce(sum(s.Word_en = d.Word_en COLLATE NOCASE), 0), "
                             "coalesce(sum(NOT (s.Word_en = d.Word_en COLLATE NOCASE) AND NOT ") +
                     kMarked + "), 0) FROM main.dict d JOIN shipped.dict s ON s.rowid = d.rowid",
                 why))
        return false;
    if (sqlite3_step(st.get()) != SQLITE_ROW) {
        if (why) *why = sqlite3_errmsg(db);
        return false;
    }
    const bool sameFile =
        sqlite3_column_int64(st.get(), 0) > 0 && sqlite3_column_int64(st.get(), 1) == 0;
    if (!sameFile) return true;
    const std::string deleted =
        std::string(
            "INSERT OR IGNORE INTO main.vantrel_user_words (Word_en, deleted) "
            "SELECT s.Word_en, 1 FROM shipped.dict s "
            "WHERE s.rowid < (SELECT max(d.rowid) FROM main.dict d WHERE NOT ") +
        kMarked +
        ") AND NOT EXISTS (SELECT 1 FROM main.dict d WHERE d.Word_en = s.Word_en COLLATE NOCASE)";
    return sql::exec(db, deleted.c_str(), why);
}

// Every row the user has not marked becomes the shipped one: rows the shipped
// file dropped go, changed rows change, new rows come in (in the shipped
// file's order, after the rows there are).
bool follow(sqlite3* db, std::string* why) {
    const std::string drop =
        std::string("DELETE FROM main.dict AS d WHERE NOT ") + kMarked +
        " AND NOT EXISTS (SELECT 1 FROM shipped.dict s WHERE s.Word_en = d.Word_en COLLATE NOCASE)";
    std::string change = "UPDATE main.dict AS d SET ";
    for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
        if (i) change += ", ";
        change.append(kFieldNames[i]).append(" = s.").append(kFieldNames[i]);
    }
    change += " FROM shipped.dict AS s WHERE s.Word_en = d.Word_en COLLATE NOCASE AND NOT (" +
              sameRow() + ") AND NOT " + kMarked;
    const std::string add =
        "INSERT INTO main.dict (" + columns("") + ") SELECT " + columns("s") +
        " FROM shipped.dict s WHERE NOT EXISTS (SELECT 1 FROM main.dict d WHERE d.Word_en = "
        "s.Word_en COLLATE NOCASE) AND NOT EXISTS (SELECT 1 FROM main.vantrel_user_words u "
        "WHERE u.Word_en = s.Word_en COLLATE NOCASE) ORDER BY s.rowid";
    return sql::exec(db, drop.c_str(), why) && sql::exec(db, change.c_str(), why) &&
           sql::exec(db, add.c_str(), why);
}

// A URI that opens path read-only, whatever characters it holds.
std::string readOnlyUri(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "?mode=ro";
}

}  // namespace

bool createTables(sqlite3* db, std::string* why) {
    return sql::exec(db, kCreate, why);
}

bool mark(sqlite3* db, std::string_view word, bool deleted, std::string* why) {
    if (!unmark(db, word, why)) return false;
    Stmt st;
    if (!prepare(db, st, "INSERT INTO vantrel_user_words (Word_en, deleted) VALUES (?1, ?2)", why))
        return false;
    bindText(st.get(), 1, word);
    sqlite3_bind_int(st.get(), 2, deleted ? 1 : 0);
    return step(db, st, why);
}

bool unmark(sqlite3* db, std::string_view word, std::string* why) {
    Stmt st;
    if (!prepare(db, st, "DELETE FROM vantrel_user_words WHERE Word_en = ?1 COLLATE NOCASE", why))
        return false;
    bindText(st.get(), 1, word);
    return step(db, st, why);
}

bool readMarks(sqlite3* db, Marks* out, std::string* why) {
    out->clear();
    if (!hasTable(db, "vantrel_user_words")) return true;
    Stmt st;
    if (!prepare(db, st, "SELECT Word_en, deleted FROM vantrel_user_words", why)) return false;
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        Mark m{sql::columnText(st.get(), 0), sqlite3_column_int(st.get(), 1) != 0};
        (*out)[foldCase(m.word)] = std::move(m);
    }
    if (rc == SQLITE_DONE) return true;
    if (why) *why = sqlite3_errmsg(db);
    return false;
}

bool stampOf(const std::string& path, Stamp* out) {
    struct stat sb {};
    if (::stat(path.c_str(), &sb) != 0 || !S_ISREG(sb.st_mode)) return false;
    out->path = path;
    out->size = static_cast<std::int64_t>(sb.st_size);
    out->mtimeNs = static_cast<std::int64_t>(sb.st_mtim.tv_sec) * 1000000000 + sb.st_mtim.tv_nsec;
    return true;
}

bool readStamp(sqlite3* db, Stamp* out) {
    if (!hasTable(db, "vantrel_shipped")) return false;
    Stmt st;
    if (st.prepare(db, "SELECT path, size, mtime_ns FROM vantrel_shipped") != SQLITE_OK ||
        sqlite3_step(st.get()) != SQLITE_ROW)
        return false;
    out->path = sql::columnText(st.get(), 0);
    out->size = sqlite3_column_int64(st.get(), 1);
    out->mtimeNs = sqlite3_column_int64(st.get(), 2);
    return true;
}

bool writeStamp(sqlite3* db, const Stamp& stamp, std::string* why) {
    if (!sql::exec(db, "DELETE FROM vantrel_shipped", why)) return false;
    Stmt st;
    if (!prepare(db, st, "INSERT INTO vantrel_shipped (path, size, mtime_ns) VALUES (?1, ?2, ?3)",
                 why))
        return false;
    bindText(st.get(), 1, stamp.path);
    sqlite3_bind_int64(st.get(), 2, stamp.size);
    sqlite3_bind_int64(st.get(), 3, stamp.mtimeNs);
    return step(db, st, why);
}

Status takeInShipped(const std::string& userPath, const std::string& shippedPath,
                     const Stamp& stamp) {
    const auto fail = [&](const std::string& reason) {
        return Status::other("cannot take the shipped dictionary \"" + shippedPath + "\" into \"" +
                             userPath + "\": " + reason);
    };
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(userPath.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr);
    sql::DbHandle db(raw);
    if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
    sqlite3_busy_timeout(raw, sql::kLockWaitMs);
    sqlite3_extended_result_codes(raw, 1);
    std::string why;
    // Enough cache for the whole of a large dictionary, so that pages are
    // written once, at the commit.
    sql::exec(raw, "PRAGMA cache_size = -65536", nullptr);
    {
        Stmt attach;
        if (!prepare(raw, attach, "ATTACH ?1 AS shipped", &why)) return fail(why);
        bindText(attach.get(), 1, readOnlyUri(shippedPath));
        if (!step(raw, attach, &why)) return fail(why);
    }
    if (!sql::exec(raw, "BEGIN IMMEDIATE", &why)) return fail(why);
    // Both must be dictionaries with their index, or the joins below would
    // scan a whole table for each row.
    for (const auto& [schema, path] :
         {std::pair{"main", userPath}, std::pair{"shipped", shippedPath}}) {
        if (Status s = checkSchema(raw, path, schema); !s.isOk()) {
            sql::exec(raw, "ROLLBACK", nullptr);
            return fail(s.message());
        }
    }
    Stamp taken;
    const bool followed = readStamp(raw, &taken);
    if (followed && taken == stamp) {
        // Another program took it in while this one waited for the lock.
        sql::exec(raw, "ROLLBACK", nullptr);
        return Status::ok();
    }
    bool ok = createTables(raw, &why) && (followed || takeOver(raw, &why)) && follow(raw, &why) &&
              writeStamp(raw, stamp, &why) && sql::exec(raw, "COMMIT", &why);
    if (!ok) {
        sql::exec(raw, "ROLLBACK", nullptr);
        return fail(why);
    }
    return Status::ok();
}

Status readShippedRecord(const std::string& shippedPath, std::string_view word,
                         std::optional<DictRecord>* out) {
    out->reset();
    const auto fail = [&](const std::string& reason) {
        return Status::other("cannot read the shipped dictionary \"" + shippedPath +
                             "\": " + reason);
    };
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(shippedPath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sql::DbHandle db(raw);
    if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
    sqlite3_busy_timeout(raw, sql::kLockWaitMs);
    Stmt st;
    std::string why;
    if (!prepare(raw, st, "SELECT " + columns("") + " FROM dict WHERE Word_en = ?1 COLLATE NOCASE",
                 &why))
        return fail(why);
    bindText(st.get(), 1, word);
    const int stepped = sqlite3_step(st.get());
    if (stepped == SQLITE_DONE) return Status::ok();
    if (stepped != SQLITE_ROW) return fail(sqlite3_errmsg(raw));
    DictRecord record;
    for (int i = 0; i < kFieldCount; ++i)
        if (sqlite3_column_type(st.get(), i) != SQLITE_NULL)
            record[i] = sql::columnText(st.get(), i);
    *out = std::move(record);
    return Status::ok();
}

void MarkBatch::add(std::string_view word, bool deleted) {
    m_entries.push_back({std::string(word), deleted});
}

void MarkBatch::remove(std::string_view word) {
    m_entries.push_back({std::string(word), std::nullopt});
}

bool MarkBatch::write(sqlite3* db, std::string* why) const {
    if (m_entries.empty()) return true;
    if (!createTables(db, why)) return false;
    for (const Entry& e : m_entries) {
        const bool ok = e.deleted ? mark(db, e.word, *e.deleted, why) : unmark(db, e.word, why);
        if (!ok) return false;
    }
    return true;
}

void MarkBatch::applyTo(Marks* marks) const {
    for (const Entry& e : m_entries) {
        if (e.deleted)
            (*marks)[foldCase(e.word)] = Mark{e.word, *e.deleted};
        else
            marks->erase(foldCase(e.word));
    }
}

}  // namespace dict::user
