// Opening a dictionary file (its checks, the schema test and the load into
// memory), creating one, and the store's own queries.
#include "dictionary/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "dictionary/file_copy.h"
#include "dictionary/store_impl.h"

namespace dict {
namespace {

using sql::Stmt;

std::string openError(const std::string& path, const std::string& reason) {
    return "cannot open dictionary \"" + path + "\": " + reason;
}

}  // namespace

Status checkSchema(sqlite3* d, const std::string& path, const std::string& schema) {
    Stmt st;
    if (st.prepare(d, "PRAGMA " + schema + ".table_info(dict)") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    int n = 0;
    int rc;
    bool columnsOk = true;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        if (n >= kFieldCount ||
            !keysEqual(sql::columnText(st.get(), 1), kFieldNames[static_cast<std::size_t>(n)]))
            columnsOk = false;
        ++n;
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    if (n == 0) return Status::other(openError(path, "no table dict"));
    if (!columnsOk || n != kFieldCount)
        return Status::other(openError(path, "table dict does not have the dictionary's columns"));

    bool indexOk = false;
    if (st.prepare(d, "PRAGMA " + schema + ".index_list(dict)") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    bool found = false;
    bool unique = false;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        if (keysEqual(sql::columnText(st.get(), 1), "PrimaryKey")) {
            found = true;
            unique = sqlite3_column_int(st.get(), 2) != 0;
        }
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    if (found && unique) {
        if (st.prepare(d, "PRAGMA " + schema + ".index_xinfo(PrimaryKey)") != SQLITE_OK)
            return Status::other(openError(path, sqlite3_errmsg(d)));
        int keys = 0;
        bool onHeadword = false;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            if (sqlite3_column_int(st.get(), 5) == 0) continue;  // not a key column
            ++keys;
            onHeadword = keysEqual(sql::columnText(st.get(), 2), "Word_en") &&
                         keysEqual(sql::columnText(st.get(), 4), "NOCASE");
        }
        if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
        indexOk = keys == 1 && onHeadword;
    }
    if (!indexOk)
        return Status::other(
            openError(path, "no unique index PrimaryKey on Word_en COLLATE NOCASE in table dict"));
    return Status::ok();
}

namespace {

// Reads every row of table dict into image, then indexes it.
Status loadTable(sqlite3* d, const std::string& path, TableImage* image) {
    Stmt st;
    if (st.prepare(d,
                   "SELECT rowid, Word_en, Word_Noun, Word_verb, Word_adv, Word_Adj, Word_pp, "
                   "Word_Conj, Word_read, Word_Question, Word_idiom FROM dict") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    int rc;
    {
        Stmt count;
        if (count.prepare(d, "SELECT count(*) FROM dict") == SQLITE_OK &&
            sqlite3_step(count.get()) == SQLITE_ROW)
            image->reserve(static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0)));
    }
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        DictRecord record;
        for (int i = 0; i < kFieldCount; ++i)
            if (sqlite3_column_type(st.get(), i + 1) != SQLITE_NULL)
                record[i] = sql::columnText(st.get(), i + 1);
        if (!record[kWordEn])
            return Status::other(openError(path, "table dict holds a record without headword"));
        const std::int64_t rowid = sqlite3_column_int64(st.get(), 0);
        if (!image->load(rowid, std::move(record)))
            return Status::other(openError(
                path, "table dict lists row " + std::to_string(rowid) + " twice (the file is damaged)"));
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    std::string duplicate;
    if (!image->index(&duplicate))
        return Status::other(
            openError(path, "headword \"" + duplicate + "\" occurs twice in table dict"));
    return Status::ok();
}

constexpr const char* kTouchSchema = "SELECT count(*) FROM sqlite_master";

// Opens path read-write and reads its schema, which is when SQLite rolls back
// the change of a writer that ended in the middle of a transaction (its
// journal lies beside the file) and removes the journal.
bool rollBackInReadWrite(const std::string& path, std::string* why) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sql::DbHandle writer(raw);
    if (rc != SQLITE_OK) {
        *why = sql::reason(raw, rc);
        return false;
    }
    sqlite3_busy_timeout(raw, sql::kLockWaitMs);
    return sql::exec(raw, kTouchSchema, why);
}

// A read-only connection cannot write the rollback of an unfinished change,
// so the file is handed once to a read-write connection, as any writer
// opening it would, and d reads the file as it was before that change.
Status readPastUnfinishedChange(sqlite3* d, const std::string& path) {
    if (sql::exec(d, kTouchSchema, nullptr)) return Status::ok();
    if (sqlite3_extended_errcode(d) != SQLITE_READONLY_ROLLBACK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    const std::string unfinished = "it holds an unfinished change (\"" + path +
                                   "-journal\") that only a program allowed to write it can undo";
    if (::access(path.c_str(), W_OK) != 0) return Status::other(openError(path, unfinished));
    std::string reason;
    if (!rollBackInReadWrite(path, &reason))
        return Status::other(openError(path, unfinished + ": " + reason));
    if (!sql::exec(d, kTouchSchema, nullptr))
        return Status::other(openError(path, sqlite3_errmsg(d)));
    return Status::ok();
}

// Takes the shipped file in when it is not the one the file at path took in
// last; what went wrong, or empty. Costs a stat and one small query when
// nothing changed.
std::string takeInNewerShipped(sqlite3* d, const std::string& path, const std::string& shipped) {
    user::Stamp now, taken;
    if (!user::stampOf(shipped, &now) || isSameFile(path, shipped)) return {};
    if (user::readStamp(d, &taken) && taken == now) return {};
    return user::takeInShipped(path, shipped, now).message();
}

}  // namespace

DictionaryStore::DictionaryStore()
    : m_impl(std::make_unique<Impl>()), m_lookup(*this), m_browse(*this) {}

DictionaryStore::~DictionaryStore() = default;

Status DictionaryStore::open(const std::string& path, std::unique_ptr<DictionaryStore>* out) {
    return open(path, OpenOptions{}, out);
}

Status DictionaryStore::open(const std::string& path, const OpenOptions& options,
                             std::unique_ptr<DictionaryStore>* out) {
    struct stat sb {};
    if (::stat(path.c_str(), &sb) != 0) return Status::other(openError(path, std::strerror(errno)));
    if (!S_ISREG(sb.st_mode)) return Status::other(openError(path, "not a regular file"));
    std::string unwritable;
    if (!options.readOnly && options.lenient && ::access(path.c_str(), W_OK) != 0)
        unwritable = std::strerror(errno);
    const bool readOnly = options.readOnly || !unwritable.empty();
    if (::access(path.c_str(), readOnly ? R_OK : R_OK | W_OK) != 0)
        return Status::other(openError(path, std::strerror(errno)));

    std::unique_ptr<DictionaryStore> store(new DictionaryStore());
    store->m_path = path;
    store->m_options = options;
    store->m_unwritable = unwritable;
    Impl& impl = *store->m_impl;
    sqlite3* raw = nullptr;
    // The connection is only ever used by one thread at a time (look-ups read
    // the in-memory image), so SQLite need not lock it around every call:
    // reading the table at open takes a fifth less work without it.
    const int rc = sqlite3_open_v2(
        path.c_str(), &raw,
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX, nullptr);
    impl.db.reset(raw);
    if (rc != SQLITE_OK) return Status::other(openError(path, sql::reason(raw, rc)));
    sqlite3_busy_timeout(raw, sql::kLockWaitMs);
    sqlite3_extended_result_codes(raw, 1);
    if (!readOnly && sqlite3_db_readonly(raw, "main") == 1)
        return Status::other(openError(path, "attempt to write a readonly database"));

    if (options.readOnly) {
        if (Status s = readPastUnfinishedChange(raw, path); !s.isOk()) return s;
    }
    if (!options.shipped.empty())
        store->m_takeInProblem = takeInNewerShipped(raw, path, options.shipped);
    // Taking the write lock once proves the file is a database we may change
    // and that no other program holds it locked; read-only, the reads below
    // take the shared lock. Lenient, a lock held by another program only
    // makes the reads take the shared lock.
    std::string reason;
    bool begun = sql::exec(raw, readOnly ? "BEGIN" : "BEGIN IMMEDIATE", &reason);
    if (!begun && !readOnly && options.lenient &&
        (sqlite3_extended_errcode(raw) & 0xFF) == SQLITE_BUSY)
        begun = sql::exec(raw, "BEGIN", &reason);
    if (!begun) return Status::other(openError(path, reason));
    Status s = checkSchema(raw, path, "main");
    if (s.isOk()) s = loadTable(raw, path, &impl.image);
    if (s.isOk() && !user::readMarks(raw, &impl.marks, &reason))
        s = Status::other(openError(path, reason));
    sql::exec(raw, "ROLLBACK", nullptr);
    if (!s.isOk()) return s;
    store->placeBrowseOnFirst();
    *out = std::move(store);
    return Status::ok();
}

Status DictionaryStore::makeWritable() {
    if (!m_unwritable.empty())
        return Status::other("dictionary \"" + m_path + "\" cannot be changed: " + m_unwritable);
    if (!m_options.readOnly) return Status::ok();
    if (m_options.copyOnWrite.empty())
        return Status::other("dictionary \"" + m_path + "\" is open read-only");
    // The copy holds the same rows under the same row ids, so the image and
    // the views' places stay valid. It follows the file copied from then on,
    // with no word the user's yet.
    user::Stamp stamp;
    const bool stamped = user::stampOf(m_path, &stamp);
    const auto startFollowing = [&](sqlite3* copy, std::string* why) {
        return !stamped || (user::createTables(copy, why) && user::writeStamp(copy, stamp, why));
    };
    sql::DbHandle copy;
    const Status s = copyDatabaseTo(m_impl->db.get(), m_options.copyOnWrite, startFollowing, &copy);
    if (!s.isOk()) return s;
    m_impl->db = std::move(copy);
    m_impl->marks.clear();
    OpenOptions copied;
    copied.lenient = true;  // reopened for editing, as the copy was made
    copied.shipped = m_path;
    m_path = m_options.copyOnWrite;
    m_options = copied;
    return Status::ok();
}

void DictionaryStore::forgetLookupRecord(const DictRecord* record) {
    if (m_lookup.m_current == record) m_lookup.m_current = nullptr;
}

std::size_t DictionaryStore::size() const {
    return m_impl->image.size();
}

const DictRecord* DictionaryStore::find(std::string_view key) const {
    const TableImage::Entry* e = m_impl->image.find(key);
    return e ? &e->record : nullptr;
}

const DictRecord* DictionaryStore::find(std::string_view key, std::uint64_t hash) const {
    const TableImage::Entry* e = m_impl->image.find(key, hash);
    return e ? &e->record : nullptr;
}

std::uint64_t DictionaryStore::prefetch(std::string_view key) const {
    const std::uint64_t hash = TableImage::hash(key);
    m_impl->image.prefetch(hash);
    return hash;
}

bool DictionaryStore::startsPhrase(std::string_view prefix) const {
    return m_impl->image.startsPhrase(prefix);
}

void DictionaryStore::forEach(const std::function<void(const DictRecord&)>& fn) const {
    for (const TableImage::Entry* e : m_impl->image.order()) fn(e->record);
}

namespace {

// Writes the schema and the records into the empty database d in one
// transaction; the reason of a failure goes through fail.
Status fillDatabase(sqlite3* d, const std::vector<DictRecord>& records,
                    const std::function<Status(const std::string&)>& fail) {
    std::string reason;
    if (!sql::exec(d, "BEGIN", &reason)) return fail(reason);
    if (!sql::exec(d, std::string(sql::kSchema).c_str(), &reason)) return fail(reason);
    Stmt ins;
    if (ins.prepare(d, sql::kInsert) != SQLITE_OK) return fail(sqlite3_errmsg(d));
    // Rows go in in key order so that open() finds them sorted.
    std::vector<const DictRecord*> sorted;
    sorted.reserve(records.size());
    for (const DictRecord& rec : records) {
        if (!rec[kWordEn]) return fail("a record has no headword");
        sorted.push_back(&rec);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const DictRecord* a, const DictRecord* b) {
        return compareKeys(*(*a)[kWordEn], *(*b)[kWordEn]) < 0;
    });
    for (const DictRecord* p : sorted) {
        const DictRecord& rec = *p;
        sql::bindRecord(ins.get(), rec);
        const int step = sqlite3_step(ins.get());
        sqlite3_reset(ins.get());
        if (step == SQLITE_CONSTRAINT_UNIQUE) return Status::duplicateKey(*rec[kWordEn]);
        if (step != SQLITE_DONE) return fail(sqlite3_errmsg(d));
    }
    if (!sql::exec(d, "COMMIT", &reason)) return fail(reason);
    return Status::ok();
}

}  // namespace

Status DictionaryStore::create(const std::string& path, const std::vector<DictRecord>& records) {
    auto fail = [&](const std::string& reason) {
        return Status::other("cannot create dictionary \"" + path + "\": " + reason);
    };
    // O_EXCL makes "the file exists" an atomic test; SQLite accepts the empty file.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    struct stat sb {};
    if (fd >= 0) {
        ::close(fd);
    } else if (errno != EEXIST || ::lstat(path.c_str(), &sb) != 0 || !S_ISREG(sb.st_mode) ||
               sb.st_size != 0) {
        return fail(std::strerror(errno));
    }

    Status result = [&]() -> Status {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        sql::DbHandle db(raw);
        if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
        sqlite3_extended_result_codes(raw, 1);
        return fillDatabase(raw, records, fail);
    }();
    if (!result.isOk()) ::unlink(path.c_str());
    return result;
}

Status undoUnfinishedChange(const std::string& path) {
    const std::string journal = path + "-journal";
    struct stat sb {};
    if (::lstat(journal.c_str(), &sb) != 0) return Status::ok();
    if (::lstat(path.c_str(), &sb) != 0 && errno == ENOENT) {
        // The journal of a file that is gone can only do harm.
        if (::unlink(journal.c_str()) == 0 || errno == ENOENT) return Status::ok();
        return Status::other("cannot remove \"" + journal + "\": " + std::strerror(errno));
    }
    std::string reason;
    if (!rollBackInReadWrite(path, &reason))
        return Status::other("cannot undo the unfinished change of \"" + path + "\" (\"" + journal +
                             "\"): " + reason);
    return Status::ok();
}

Status DictionaryStore::createInMemory(const std::vector<DictRecord>& records,
                                       std::unique_ptr<DictionaryStore>* out) {
    static const std::string kName = ":memory:";
    auto fail = [](const std::string& reason) {
        return Status::other("cannot create a dictionary in memory: " + reason);
    };
    std::unique_ptr<DictionaryStore> store(new DictionaryStore());
    store->m_path = kName;
    Impl& impl = *store->m_impl;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(kName.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    impl.db.reset(raw);
    if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
    sqlite3_extended_result_codes(raw, 1);
    Status s = fillDatabase(raw, records, fail);
    if (s.isOk()) s = loadTable(raw, kName, &impl.image);
    if (!s.isOk()) return s;
    store->placeBrowseOnFirst();
    *out = std::move(store);
    return Status::ok();
}

void DictionaryStore::placeBrowseOnFirst() {
    if (m_impl->image.size() == 0) return;
    m_browse.m_where = BrowseView::Where::kAt;
    m_browse.loadCurrent(m_impl->image.order().front()->rowid);
}

std::string dictionaryPathBesideExecutable() {
    return executableFolder() + "/" + std::string(kDictionaryFileName);
}

Status openLocated(const DictionaryLocation& location, Access access,
                   std::unique_ptr<DictionaryStore>* out) {
    if (location.path.empty()) return Status::other(describeLocation(location));
    OpenOptions options;
    options.readOnly = access == Access::kRead || location.origin == DictionaryOrigin::kShipped;
    if (access == Access::kEdit && location.origin == DictionaryOrigin::kShipped)
        options.copyOnWrite = userDictionaryPath();
    options.lenient = access == Access::kEdit;
    if (location.origin == DictionaryOrigin::kUserCopy) options.shipped = location.shipped;
    return DictionaryStore::open(location.path, options, out);
}

}  // namespace dict
