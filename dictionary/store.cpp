#include "dictionary/store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace dict {

const std::array<std::string_view, kFieldCount> kFieldNames = {
    "Word_en", "Word_Noun", "Word_verb", "Word_adv",      "Word_Adj",
    "Word_pp", "Word_Conj", "Word_read", "Word_Question", "Word_idiom",
};

namespace {

constexpr unsigned char foldByte(unsigned char c) {
    return static_cast<unsigned char>(c + ((static_cast<unsigned>(c - 'A') < 26u) << 5));
}

// The eight bytes of w with every ASCII capital letter folded to lower case.
constexpr std::uint64_t foldWord(std::uint64_t w) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t low7 = w & (0x7F * ones);
    const std::uint64_t atLeastA = low7 + (0x80 - 'A') * ones;  // high bit: byte >= 'A'
    const std::uint64_t pastZ = low7 + (0x80 - 'Z' - 1) * ones;  // high bit: byte > 'Z'
    const std::uint64_t upper = atLeastA & ~pastZ & ~w & (0x80 * ones);
    return w | (upper >> 2);
}

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

// 64-bit hash of the folded key, eight bytes at a time.
std::uint64_t hashKey(std::string_view key) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ key.size();
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, key.data() + i, 8);
        h = (h ^ foldWord(w)) * 0x100000001b3ull;
        h ^= h >> 29;
    }
    if (i < key.size()) {
        std::uint64_t w = 0;
        for (std::size_t k = i; k < key.size(); ++k)
            w |= std::uint64_t{static_cast<unsigned char>(key[k])} << (8 * (k - i));
        h = (h ^ foldWord(w)) * 0x100000001b3ull;
    }
    return mix(h);
}

// The first word of a multi-word headword; empty for a single word.
std::string_view phraseHead(std::string_view key) {
    const std::size_t space = key.find(' ');
    return space == std::string_view::npos ? std::string_view() : key.substr(0, space);
}

std::string foldedCopy(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
    return out;
}

constexpr std::string_view kSchemaSql =
    "CREATE TABLE dict (Word_en TEXT NOT NULL, Word_Noun TEXT, Word_verb TEXT, Word_adv TEXT, "
    "Word_Adj TEXT, Word_pp TEXT, Word_Conj TEXT, Word_read TEXT, Word_Question TEXT, "
    "Word_idiom TEXT);"
    "CREATE UNIQUE INDEX PrimaryKey ON dict (Word_en COLLATE NOCASE);";

constexpr std::string_view kInsertSql =
    "INSERT INTO dict (Word_en, Word_Noun, Word_verb, Word_adv, Word_Adj, Word_pp, Word_Conj, "
    "Word_read, Word_Question, Word_idiom) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)";

constexpr std::string_view kUpdateSql =
    "UPDATE dict SET Word_en = ?1, Word_Noun = ?2, Word_verb = ?3, Word_adv = ?4, Word_Adj = ?5, "
    "Word_pp = ?6, Word_Conj = ?7, Word_read = ?8, Word_Question = ?9, Word_idiom = ?10 "
    "WHERE rowid = ?11";

// Owns a prepared statement.
class Stmt final {
public:
    Stmt() = default;
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    int prepare(sqlite3* db, std::string_view sql) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    }
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

std::string columnText(sqlite3_stmt* st, int col) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(st, col))) : std::string();
}

void bindRecord(sqlite3_stmt* st, const DictRecord& rec) {
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldValue& v = rec[i];
        if (v)
            sqlite3_bind_text(st, i + 1, v->data(), static_cast<int>(v->size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(st, i + 1);
    }
}

std::string sqliteReason(sqlite3* db, int rc) {
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

// Runs sql that returns no rows; on failure fills *reason.
bool exec(sqlite3* db, const char* sql, std::string* reason) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) == SQLITE_OK) return true;
    if (reason) *reason = err ? err : sqlite3_errmsg(db);
    sqlite3_free(err);
    return false;
}

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

}  // namespace

int fieldIndex(std::string_view name) {
    for (int i = 0; i < kFieldCount; ++i)
        if (keysEqual(kFieldNames[static_cast<size_t>(i)], name)) return i;
    return -1;
}

bool keysEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldByte(static_cast<unsigned char>(a[i])) !=
            foldByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int compareKeys(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = foldByte(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldByte(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// ---------------------------------------------------------------------------
// In-memory image of the table: records owned by rowid, an open-addressing
// hash index on the folded headword, and the records in browse order.

struct DictionaryStore::Impl {
    struct Entry {
        std::int64_t rowid = 0;
        DictRecord record;
        std::string_view key() const { return *record[kWordEn]; }
    };
    struct Slot {
        Entry* entry = nullptr;
        std::uint64_t hash = 0;
    };

    DbHandle db;
    std::unordered_map<std::int64_t, std::unique_ptr<Entry>> byRowid;
    std::vector<Slot> slots;  // size is a power of two, at most half full
    std::size_t used = 0;
    std::vector<Entry*> order;  // sorted by compareKeys
    // How many multi-word headwords start with each (folded) first word.
    std::unordered_map<std::string, std::uint32_t> phraseHeads;

    void countPhraseHead(const Entry* e, int delta) {
        if (e->key().find(' ') == std::string_view::npos) return;
        std::string folded = foldedCopy(phraseHead(e->key()));
        if (delta > 0) {
            ++phraseHeads[folded];
        } else if (auto it = phraseHeads.find(folded); it != phraseHeads.end() && --it->second == 0) {
            phraseHeads.erase(it);
        }
    }

    Entry* findKey(std::string_view key) const {
        if (slots.empty()) return nullptr;
        const std::uint64_t h = hashKey(key);
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = h & mask;; i = (i + 1) & mask) {
            const Slot& s = slots[i];
            if (!s.entry) return nullptr;
            if (s.hash == h && keysEqual(s.entry->key(), key)) return s.entry;
        }
    }

    void rehash(std::size_t capacity) {
        std::vector<Slot> old = std::move(slots);
        slots.assign(capacity, Slot{});
        const std::size_t mask = capacity - 1;
        for (const Slot& s : old) {
            if (!s.entry) continue;
            std::size_t i = s.hash & mask;
            while (slots[i].entry) i = (i + 1) & mask;
            slots[i] = s;
        }
    }

    void indexInsert(Entry* e) {
        countPhraseHead(e, +1);
        if ((used + 1) * 2 > slots.size()) rehash(std::max<std::size_t>(64, slots.size() * 2));
        const std::uint64_t h = hashKey(e->key());
        const std::size_t mask = slots.size() - 1;
        std::size_t i = h & mask;
        while (slots[i].entry) i = (i + 1) & mask;
        slots[i] = Slot{e, h};
        ++used;
    }

    // Inserts e unless an entry with the same key is there already; one probe
    // sequence serves both the check and the insert.
    bool indexInsertUnique(Entry* e) {
        if ((used + 1) * 2 > slots.size()) rehash(std::max<std::size_t>(64, slots.size() * 2));
        const std::uint64_t h = hashKey(e->key());
        const std::size_t mask = slots.size() - 1;
        std::size_t i = h & mask;
        for (; slots[i].entry; i = (i + 1) & mask) {
            if (slots[i].hash == h && keysEqual(slots[i].entry->key(), e->key())) return false;
        }
        slots[i] = Slot{e, h};
        ++used;
        countPhraseHead(e, +1);
        return true;
    }

    // Removes e from the hash index by backward-shift deletion (no tombstones).
    void indexErase(Entry* e) {
        countPhraseHead(e, -1);
        const std::size_t mask = slots.size() - 1;
        std::size_t i = hashKey(e->key()) & mask;
        while (slots[i].entry != e) i = (i + 1) & mask;
        std::size_t hole = i;
        for (std::size_t j = (hole + 1) & mask; slots[j].entry; j = (j + 1) & mask) {
            const std::size_t home = slots[j].hash & mask;
            // Move j into the hole unless its home lies cyclically in (hole, j].
            const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (!stays) {
                slots[hole] = slots[j];
                hole = j;
            }
        }
        slots[hole] = Slot{};
        --used;
    }

    // First position in browse order whose key is not less than key.
    std::size_t lowerBound(std::string_view key) const {
        return static_cast<std::size_t>(std::lower_bound(order.begin(), order.end(), key,
                                                         [](const Entry* e, std::string_view k) {
                                                             return compareKeys(e->key(), k) < 0;
                                                         }) -
                                        order.begin());
    }
    std::size_t upperBound(std::string_view key) const {
        return static_cast<std::size_t>(std::upper_bound(order.begin(), order.end(), key,
                                                         [](std::string_view k, const Entry* e) {
                                                             return compareKeys(k, e->key()) < 0;
                                                         }) -
                                        order.begin());
    }

    void orderInsert(Entry* e) {
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(lowerBound(e->key())), e);
    }
    void orderErase(Entry* e) {
        const std::size_t pos = lowerBound(e->key());
        if (pos < order.size() && order[pos] == e)
            order.erase(order.begin() + static_cast<std::ptrdiff_t>(pos));
    }

    Entry* entryAt(std::int64_t rowid) const {
        auto it = byRowid.find(rowid);
        return it == byRowid.end() ? nullptr : it->second.get();
    }

    void add(std::int64_t rowid, DictRecord record) {
        auto e = std::make_unique<Entry>();
        e->rowid = rowid;
        e->record = std::move(record);
        Entry* p = e.get();
        byRowid.emplace(rowid, std::move(e));
        indexInsert(p);
        orderInsert(p);
    }

    void replace(Entry* e, DictRecord record) {
        indexErase(e);
        orderErase(e);
        e->record = std::move(record);
        indexInsert(e);
        orderInsert(e);
    }

    void erase(Entry* e) {
        indexErase(e);
        orderErase(e);
        byRowid.erase(e->rowid);
    }

    Status load(const std::string& path);
    Status checkSchema(const std::string& path);
};

namespace {

std::string openError(const std::string& path, const std::string& reason) {
    return "cannot open dictionary \"" + path + "\": " + reason;
}

}  // namespace

Status DictionaryStore::Impl::checkSchema(const std::string& path) {
    sqlite3* d = db.get();
    Stmt st;
    if (st.prepare(d, "PRAGMA table_info(dict)") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    int n = 0;
    int rc;
    bool columnsOk = true;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        if (n >= kFieldCount ||
            !keysEqual(columnText(st.get(), 1), kFieldNames[static_cast<size_t>(n)]))
            columnsOk = false;
        ++n;
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    if (n == 0) return Status::other(openError(path, "no table dict"));
    if (!columnsOk || n != kFieldCount)
        return Status::other(openError(path, "table dict does not have the dictionary's columns"));

    bool indexOk = false;
    if (st.prepare(d, "PRAGMA index_list(dict)") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    bool found = false;
    bool unique = false;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        if (keysEqual(columnText(st.get(), 1), "PrimaryKey")) {
            found = true;
            unique = sqlite3_column_int(st.get(), 2) != 0;
        }
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    if (found && unique) {
        if (st.prepare(d, "PRAGMA index_xinfo(PrimaryKey)") != SQLITE_OK)
            return Status::other(openError(path, sqlite3_errmsg(d)));
        int keys = 0;
        bool onHeadword = false;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            if (sqlite3_column_int(st.get(), 5) == 0) continue;  // not a key column
            ++keys;
            onHeadword = keysEqual(columnText(st.get(), 2), "Word_en") &&
                         keysEqual(columnText(st.get(), 4), "NOCASE");
        }
        if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
        indexOk = keys == 1 && onHeadword;
    }
    if (!indexOk)
        return Status::other(
            openError(path, "no unique index PrimaryKey on Word_en COLLATE NOCASE in table dict"));
    return Status::ok();
}

Status DictionaryStore::Impl::load(const std::string& path) {
    sqlite3* d = db.get();
    Stmt st;
    if (st.prepare(d,
                   "SELECT rowid, Word_en, Word_Noun, Word_verb, Word_adv, Word_Adj, Word_pp, "
                   "Word_Conj, Word_read, Word_Question, Word_idiom FROM dict") != SQLITE_OK)
        return Status::other(openError(path, sqlite3_errmsg(d)));
    int rc;
    {
        Stmt count;
        if (count.prepare(d, "SELECT count(*) FROM dict") == SQLITE_OK &&
            sqlite3_step(count.get()) == SQLITE_ROW) {
            const auto n = static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0));
            order.reserve(n);
            byRowid.reserve(n);
        }
    }
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        auto e = std::make_unique<Entry>();
        e->rowid = sqlite3_column_int64(st.get(), 0);
        for (int i = 0; i < kFieldCount; ++i)
            if (sqlite3_column_type(st.get(), i + 1) != SQLITE_NULL)
                e->record[i] = columnText(st.get(), i + 1);
        if (!e->record[kWordEn])
            return Status::other(openError(path, "table dict holds a record without headword"));
        order.push_back(e.get());
        byRowid.emplace(e->rowid, std::move(e));
    }
    if (rc != SQLITE_DONE) return Status::other(openError(path, sqlite3_errmsg(d)));
    std::size_t capacity = 64;
    while (capacity < order.size() * 2 + 2) capacity *= 2;
    slots.assign(capacity, Slot{});
    for (Entry* e : order) {
        if (!indexInsertUnique(e))
            return Status::other(openError(
                path, "headword \"" + std::string(e->key()) + "\" occurs twice in table dict"));
    }
    // A plain table scan is several times cheaper than walking the index; files
    // written by create() hold their rows in key order, so the sort is rarely needed.
    if (!std::is_sorted(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
            return compareKeys(a->key(), b->key()) < 0;
        }))
        std::sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
            return compareKeys(a->key(), b->key()) < 0;
        });
    return Status::ok();
}

// ---------------------------------------------------------------------------
// DictionaryStore

DictionaryStore::DictionaryStore()
    : m_impl(std::make_unique<Impl>()), m_lookup(*this), m_browse(*this) {}

DictionaryStore::~DictionaryStore() = default;

Status DictionaryStore::open(const std::string& path, std::unique_ptr<DictionaryStore>* out) {
    struct stat sb {};
    if (::stat(path.c_str(), &sb) != 0) return Status::other(openError(path, std::strerror(errno)));
    if (!S_ISREG(sb.st_mode)) return Status::other(openError(path, "not a regular file"));
    if (::access(path.c_str(), R_OK | W_OK) != 0)
        return Status::other(openError(path, std::strerror(errno)));

    std::unique_ptr<DictionaryStore> store(new DictionaryStore());
    store->m_path = path;
    Impl& impl = *store->m_impl;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    impl.db.reset(raw);
    if (rc != SQLITE_OK) return Status::other(openError(path, sqliteReason(raw, rc)));
    sqlite3_busy_timeout(raw, 250);
    sqlite3_extended_result_codes(raw, 1);
    if (sqlite3_db_readonly(raw, "main") == 1)
        return Status::other(openError(path, "attempt to write a readonly database"));

    // Taking the write lock once proves the file is a database we may change
    // and that no other program holds it locked.
    std::string reason;
    if (!exec(raw, "BEGIN IMMEDIATE", &reason)) return Status::other(openError(path, reason));
    Status s = impl.checkSchema(path);
    if (s.isOk()) s = impl.load(path);
    exec(raw, "ROLLBACK", nullptr);
    if (!s.isOk()) return s;
    if (!impl.order.empty()) {
        store->m_browse.m_where = BrowseView::Where::kAt;
        store->m_browse.loadCurrent(impl.order.front()->rowid);
    }
    *out = std::move(store);
    return Status::ok();
}

void DictionaryStore::forgetLookupRecord(const DictRecord* record) {
    if (m_lookup.m_current == record) m_lookup.m_current = nullptr;
}

std::size_t DictionaryStore::size() const {
    return m_impl->order.size();
}

const DictRecord* DictionaryStore::find(std::string_view key) const {
    const Impl::Entry* e = m_impl->findKey(key);
    return e ? &e->record : nullptr;
}

bool DictionaryStore::startsPhrase(std::string_view word) const {
    if (m_impl->phraseHeads.empty()) return false;
    return m_impl->phraseHeads.count(foldedCopy(word)) != 0;
}

void DictionaryStore::forEach(const std::function<void(const DictRecord&)>& fn) const {
    for (const Impl::Entry* e : m_impl->order) fn(e->record);
}

Status DictionaryStore::create(const std::string& path, const std::vector<DictRecord>& records) {
    auto fail = [&](const std::string& reason) {
        return Status::other("cannot create dictionary \"" + path + "\": " + reason);
    };
    // O_EXCL makes "the file exists" an atomic test; SQLite accepts the empty file.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return fail(std::strerror(errno));
    ::close(fd);

    Status result = [&]() -> Status {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        DbHandle db(raw);
        if (rc != SQLITE_OK) return fail(sqliteReason(raw, rc));
        sqlite3_extended_result_codes(raw, 1);
        std::string reason;
        if (!exec(raw, "BEGIN", &reason)) return fail(reason);
        if (!exec(raw, std::string(kSchemaSql).c_str(), &reason)) return fail(reason);
        Stmt ins;
        if (ins.prepare(raw, kInsertSql) != SQLITE_OK) return fail(sqlite3_errmsg(raw));
        // Rows go in in key order so that open() finds them sorted.
        std::vector<const DictRecord*> sorted;
        sorted.reserve(records.size());
        for (const DictRecord& rec : records) {
            if (!rec[kWordEn]) return fail("a record has no headword");
            sorted.push_back(&rec);
        }
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const DictRecord* a, const DictRecord* b) {
                             return compareKeys(*(*a)[kWordEn], *(*b)[kWordEn]) < 0;
                         });
        for (const DictRecord* p : sorted) {
            const DictRecord& rec = *p;
            bindRecord(ins.get(), rec);
            const int step = sqlite3_step(ins.get());
            sqlite3_reset(ins.get());
            if (step == SQLITE_CONSTRAINT_UNIQUE) return Status::duplicateKey(*rec[kWordEn]);
            if (step != SQLITE_DONE) return fail(sqlite3_errmsg(raw));
        }
        if (!exec(raw, "COMMIT", &reason)) return fail(reason);
        return Status::ok();
    }();
    if (!result.isOk()) ::unlink(path.c_str());
    return result;
}

std::string dictionaryPathBesideExecutable() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
    const size_t slash = exe.rfind('/');
    std::string dir = slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
    return dir + "/" + std::string(kDictionaryFileName);
}

Status openDictionary(std::unique_ptr<DictionaryStore>* out) {
    return DictionaryStore::open(dictionaryPathBesideExecutable(), out);
}

// ---------------------------------------------------------------------------
// LookupView

Status LookupView::setIndex(std::string_view indexName) {
    if (keysEqual(indexName, "PrimaryKey")) return Status::ok();
    return Status::other("\"" + std::string(indexName) + "\" is not an index of table dict.");
}

void LookupView::seek(std::string_view key) {
    m_current = find(key);
}

const DictRecord* LookupView::find(std::string_view key) const {
    return m_store.find(key);
}

bool LookupView::startsPhrase(std::string_view word) const { return m_store.startsPhrase(word); }

Status LookupView::field(int pos, FieldValue* out) const {
    if (!m_current) return Status::noCurrentRecord();
    if (pos < 0 || pos >= kFieldCount)
        return Status::other("Field position " + std::to_string(pos) + " does not exist.");
    *out = (*m_current)[pos];
    return Status::ok();
}

Status LookupView::field(std::string_view name, FieldValue* out) const {
    const int pos = fieldIndex(name);
    if (pos < 0) return Status::other("Field \"" + std::string(name) + "\" does not exist.");
    return field(pos, out);
}

// ---------------------------------------------------------------------------
// BrowseView

namespace {

Status badField(std::string_view name) {
    return Status::other("Field \"" + std::string(name) + "\" does not exist.");
}

}  // namespace

Status BrowseView::loadCurrent(std::int64_t rowid) {
    const DictionaryStore::Impl::Entry* e = m_store.m_impl->entryAt(rowid);
    if (!e) return Status::noCurrentRecord();
    m_rowid = rowid;
    m_key = *e->record[kWordEn];
    m_record = e->record;
    m_deleted = false;
    return Status::ok();
}

Status BrowseView::moveTo(std::int64_t rowid) {
    m_pending.reset();
    m_pendingIsAdd = false;
    m_where = Where::kAt;
    return loadCurrent(rowid);
}

Status BrowseView::moveFirst() {
    const auto& order = m_store.m_impl->order;
    if (order.empty()) return Status::noCurrentRecord();
    return moveTo(order.front()->rowid);
}

Status BrowseView::moveLast() {
    const auto& order = m_store.m_impl->order;
    if (order.empty()) return Status::noCurrentRecord();
    return moveTo(order.back()->rowid);
}

Status BrowseView::moveNext() {
    const auto& impl = *m_store.m_impl;
    std::size_t next;
    switch (m_where) {
        case Where::kEof:
            return Status::noCurrentRecord();
        case Where::kBof:
            if (impl.order.empty()) return Status::noCurrentRecord();
            next = 0;
            break;
        case Where::kAt:
        default:
            next = impl.upperBound(m_key);
            break;
    }
    if (next >= impl.order.size()) {
        m_pending.reset();
        m_pendingIsAdd = false;
        m_where = Where::kEof;
        m_deleted = false;
        return Status::ok();
    }
    return moveTo(impl.order[next]->rowid);
}

Status BrowseView::movePrevious() {
    const auto& impl = *m_store.m_impl;
    std::size_t prev;  // one past the record to reach
    switch (m_where) {
        case Where::kBof:
            return Status::noCurrentRecord();
        case Where::kEof:
            if (impl.order.empty()) return Status::noCurrentRecord();
            prev = impl.order.size();
            break;
        case Where::kAt:
        default:
            prev = impl.lowerBound(m_key);
            break;
    }
    if (prev == 0) {
        m_pending.reset();
        m_pendingIsAdd = false;
        m_where = Where::kBof;
        m_deleted = false;
        return Status::ok();
    }
    return moveTo(impl.order[prev - 1]->rowid);
}

bool BrowseView::bof() const {
    return m_where == Where::kBof || (m_where == Where::kEof && m_store.size() == 0);
}

bool BrowseView::eof() const {
    return m_where == Where::kEof || (m_where == Where::kBof && m_store.size() == 0);
}

std::int32_t BrowseView::recordCount() const {
    return static_cast<std::int32_t>(m_store.size());
}

std::int32_t BrowseView::absolutePosition() const {
    if (m_where != Where::kAt || m_deleted) return -1;
    return static_cast<std::int32_t>(m_store.m_impl->lowerBound(m_key));
}

Status BrowseView::bookmark(Bookmark* out) const {
    if (m_where != Where::kAt || m_deleted) return Status::noCurrentRecord();
    out->resize(sizeof m_rowid);
    std::memcpy(out->data(), &m_rowid, sizeof m_rowid);
    return Status::ok();
}

Status BrowseView::setBookmark(const Bookmark& mark) {
    std::int64_t rowid = 0;
    if (mark.size() == sizeof rowid) std::memcpy(&rowid, mark.data(), sizeof rowid);
    if (mark.size() != sizeof rowid || !m_store.m_impl->entryAt(rowid))
        return Status::other("Not a valid bookmark.");
    return moveTo(rowid);
}

Status BrowseView::findFirst(std::string_view word) {
    const DictionaryStore::Impl::Entry* e = m_store.m_impl->findKey(word);
    m_noMatch = e == nullptr;
    if (!e) return Status::ok();
    return moveTo(e->rowid);
}

Status BrowseView::addNew() {
    m_pending = DictRecord{};
    m_pendingIsAdd = true;
    return Status::ok();
}

Status BrowseView::edit() {
    if (m_where != Where::kAt || m_deleted) return Status::noCurrentRecord();
    m_pending = m_record;
    m_pendingIsAdd = false;
    return Status::ok();
}

Status BrowseView::setField(int pos, FieldValue value) {
    if (!m_pending) return Status::noCurrentRecord();
    if (pos < 0 || pos >= kFieldCount) return badField(std::to_string(pos));
    (*m_pending)[pos] = std::move(value);
    return Status::ok();
}

Status BrowseView::setField(std::string_view name, FieldValue value) {
    const int pos = fieldIndex(name);
    if (pos < 0) return badField(name);
    return setField(pos, std::move(value));
}

Status BrowseView::update() {
    if (!m_pending) return Status::other("Update without AddNew or Edit.");
    auto& impl = *m_store.m_impl;
    const DictRecord& rec = *m_pending;
    if (!rec[kWordEn]) return Status::other("Field \"Word_en\" cannot be absent.");
    const std::string& word = *rec[kWordEn];
    DictionaryStore::Impl::Entry* target = nullptr;
    if (!m_pendingIsAdd) {
        target = impl.entryAt(m_rowid);
        if (!target) return Status::noCurrentRecord();
    }
    const DictionaryStore::Impl::Entry* same = impl.findKey(word);
    if (same && same != target) return Status::duplicateKey(word);

    sqlite3* db = impl.db.get();
    std::string reason;
    if (!exec(db, "BEGIN IMMEDIATE", &reason)) return Status::other(reason);
    Stmt st;
    int rc = st.prepare(db, m_pendingIsAdd ? kInsertSql : kUpdateSql);
    if (rc == SQLITE_OK) {
        bindRecord(st.get(), rec);
        if (!m_pendingIsAdd) sqlite3_bind_int64(st.get(), 11, m_rowid);
        rc = sqlite3_step(st.get());
    }
    if (rc != SQLITE_DONE) {
        Status s = rc == SQLITE_CONSTRAINT_UNIQUE ? Status::duplicateKey(word)
                                                  : Status::other(sqlite3_errmsg(db));
        exec(db, "ROLLBACK", nullptr);
        return s;
    }
    const std::int64_t rowid = m_pendingIsAdd ? sqlite3_last_insert_rowid(db) : m_rowid;
    if (!exec(db, "COMMIT", &reason)) {
        exec(db, "ROLLBACK", nullptr);
        return Status::other(reason);
    }
    // The file holds the change: bring the in-memory image in step.
    DictRecord stored = std::move(*m_pending);
    m_pending.reset();
    if (m_pendingIsAdd) {
        impl.add(rowid, std::move(stored));
    } else {
        m_store.forgetLookupRecord(&target->record);
        impl.replace(target, std::move(stored));
        loadCurrent(rowid);
    }
    m_pendingIsAdd = false;
    return Status::ok();
}

void BrowseView::cancelUpdate() {
    m_pending.reset();
    m_pendingIsAdd = false;
}

Status BrowseView::remove() {
    if (m_where != Where::kAt || m_deleted) return Status::noCurrentRecord();
    auto& impl = *m_store.m_impl;
    DictionaryStore::Impl::Entry* e = impl.entryAt(m_rowid);
    if (!e) return Status::noCurrentRecord();
    sqlite3* db = impl.db.get();
    Stmt st;
    std::string reason;
    if (!exec(db, "BEGIN IMMEDIATE", &reason)) return Status::other(reason);
    int rc = st.prepare(db, "DELETE FROM dict WHERE rowid = ?1");
    if (rc == SQLITE_OK) {
        sqlite3_bind_int64(st.get(), 1, m_rowid);
        rc = sqlite3_step(st.get());
    }
    if (rc != SQLITE_DONE || !exec(db, "COMMIT", &reason)) {
        Status s = Status::other(rc != SQLITE_DONE ? sqlite3_errmsg(db) : reason);
        exec(db, "ROLLBACK", nullptr);
        return s;
    }
    m_pending.reset();
    m_pendingIsAdd = false;
    m_store.forgetLookupRecord(&e->record);
    impl.erase(e);
    m_deleted = true;  // m_key stays so the next move finds the neighbours
    return Status::ok();
}

Status BrowseView::field(int pos, FieldValue* out) const {
    if (pos < 0 || pos >= kFieldCount) return badField(std::to_string(pos));
    if (m_pending) {
        *out = (*m_pending)[pos];
        return Status::ok();
    }
    if (m_where != Where::kAt || m_deleted) return Status::noCurrentRecord();
    *out = m_record[pos];
    return Status::ok();
}

Status BrowseView::field(std::string_view name, FieldValue* out) const {
    const int pos = fieldIndex(name);
    if (pos < 0) return badField(name);
    return field(pos, out);
}

}  // namespace dict
