// The English-to-Thai dictionary: one SQLite table `dict` of headwords with
// Thai meanings filed by part of speech, reached through two views that share
// the same rows: LookupView for keyed look-ups and BrowseView for ordered
// browsing and editing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace dict {

// Field positions of a record, in the table's fixed column order.
enum Field : int {
    kWordEn = 0,
    kWordNoun = 1,
    kWordVerb = 2,
    kWordAdv = 3,
    kWordAdj = 4,
    kWordPP = 5,
    kWordConj = 6,
    kWordRead = 7,
    kWordQuestion = 8,
    kWordIdiom = 9,
};
constexpr int kFieldCount = 10;

// Column names in position order, as the schema spells them.
extern const std::array<std::string_view, kFieldCount> kFieldNames;

// Position of a field named without regard to ASCII letter case, or -1.
int fieldIndex(std::string_view name);

// A field value: absent (NULL) or a text, which may be empty or a single space.
using FieldValue = std::optional<std::string>;

// One row of table `dict`: ten fields in fixed order; position 0 is the key.
struct DictRecord {
    std::array<FieldValue, kFieldCount> fields;

    const FieldValue& operator[](int pos) const { return fields[static_cast<size_t>(pos)]; }
    FieldValue& operator[](int pos) { return fields[static_cast<size_t>(pos)]; }
    bool operator==(const DictRecord&) const = default;
};

// Outcome of a store operation. The two distinguished errors keep the numbers
// callers test for; every other failure is kOther with SQLite's reason.
class Status {
public:
    enum Code : int { kOk = 0, kNoCurrentRecord = 3021, kDuplicateKey = 3022, kOther = 1 };

    Status() = default;
    static Status ok() { return Status(); }
    static Status noCurrentRecord() { return Status(kNoCurrentRecord, "No current record."); }
    static Status duplicateKey(std::string word) {
        return Status(kDuplicateKey, "The headword \"" + word + "\" exists already.");
    }
    static Status other(std::string message) { return Status(kOther, std::move(message)); }

    bool isOk() const { return m_code == kOk; }
    bool isNoCurrentRecord() const { return m_code == kNoCurrentRecord; }
    bool isDuplicateKey() const { return m_code == kDuplicateKey; }
    Code code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    Status(Code code, std::string message) : m_code(code), m_message(std::move(message)) {}
    Code m_code = kOk;
    std::string m_message;
};

class DictionaryStore;

// Keyed view on index "PrimaryKey": seek a headword, test NoMatch, read fields.
class LookupView final {
public:
    // Selects the index for the following seeks; only "PrimaryKey" exists.
    Status setIndex(std::string_view indexName);

    // Positions on the record whose headword equals key, ignoring the letter
    // case of A to Z; sets noMatch() when there is none.
    void seek(std::string_view key);

    // The same seek, returning the record found or nullptr. The pointer stays
    // valid until the next write to the store.
    const DictRecord* find(std::string_view key) const;

    bool noMatch() const { return m_current == nullptr; }

    // True when some headword of several words starts with `word` (key
    // semantics), so look-ups of longer keys beginning with it may succeed.
    bool startsPhrase(std::string_view word) const;

    // Field of the current record by position (0 to 9) or by name (any case).
    // Reading after a failed seek is kNoCurrentRecord.
    Status field(int pos, FieldValue* out) const;
    Status field(std::string_view name, FieldValue* out) const;

    // The current record, or nullptr after a failed seek.
    const DictRecord* current() const { return m_current; }

private:
    friend class DictionaryStore;
    explicit LookupView(DictionaryStore& store) : m_store(store) {}
    DictionaryStore& m_store;
    const DictRecord* m_current = nullptr;
};

// Ordered view of every record (by headword, ignoring ASCII letter case) with
// moves, positions, bookmarks, find, add, change and delete. Every write is
// one transaction; a failed Update leaves the table unchanged.
class BrowseView final {
public:
    using Bookmark = std::vector<std::uint8_t>;

    // Make the first / last record current; kNoCurrentRecord on an empty view.
    Status moveFirst();
    Status moveLast();
    // Step one record; past the end sets eof(), before the start bof(). Moving
    // further from bof()/eof() is kNoCurrentRecord.
    Status moveNext();
    Status movePrevious();

    bool bof() const;
    bool eof() const;

    // Exact number of records in the view.
    std::int32_t recordCount() const;
    // Zero-based position of the current record; -1 when there is none.
    std::int32_t absolutePosition() const;

    // Identifies the current record (while an add is pending: the record that
    // was current before addNew()). kNoCurrentRecord when there is none.
    Status bookmark(Bookmark* out) const;
    // Makes the bookmarked record current and drops any pending add or change.
    Status setBookmark(const Bookmark& mark);

    // Makes the record whose headword equals word (key semantics) current and
    // clears noMatch(); when there is none, sets noMatch() and leaves the
    // current record as it was. The word is a bound value, so any text works.
    Status findFirst(std::string_view word);
    bool noMatch() const { return m_noMatch; }

    // Opens a new pending record with all ten fields absent.
    Status addNew();
    // Opens the current record for change.
    Status edit();
    // Writes into the pending record; kNoCurrentRecord without addNew()/edit().
    Status setField(int pos, FieldValue value);
    Status setField(std::string_view name, FieldValue value);
    // Stores the pending record; kDuplicateKey when its headword belongs to
    // another record. On failure the pending record stays pending.
    Status update();
    // Drops a pending add or change without storing it.
    void cancelUpdate();
    bool editPending() const { return m_pending.has_value(); }
    bool addPending() const { return m_pending.has_value() && m_pendingIsAdd; }

    // Removes the current record at once. It stays current but unusable until
    // the next move; moveNext() then reaches the record after it.
    Status remove();

    // Field of the current record (of the pending record while one is open).
    Status field(int pos, FieldValue* out) const;
    Status field(std::string_view name, FieldValue* out) const;

private:
    friend class DictionaryStore;
    explicit BrowseView(DictionaryStore& store) : m_store(store) {}

    enum class Where { kBof, kAt, kEof };
    Status moveTo(std::int64_t rowid);
    Status loadCurrent(std::int64_t rowid);

    DictionaryStore& m_store;
    Where m_where = Where::kBof;
    std::int64_t m_rowid = 0;  // current record (valid when m_where == kAt)
    std::string m_key;         // its headword; kept after remove() to find the next one
    bool m_deleted = false;    // the current record was removed
    DictRecord m_record;       // copy of the current record
    bool m_noMatch = false;
    std::optional<DictRecord> m_pending;
    bool m_pendingIsAdd = false;
};

// An open dictionary file: the database and its two views. Look-ups go to an
// in-memory index of the whole table that every write keeps in step.
class DictionaryStore final {
public:
    ~DictionaryStore();
    DictionaryStore(const DictionaryStore&) = delete;
    DictionaryStore& operator=(const DictionaryStore&) = delete;

    // Opens an existing dictionary file read-write, never creating it. A
    // missing, unreadable, read-only, locked or non-database file, or one
    // without table `dict` and index PrimaryKey, is an error naming the file
    // and the reason. An empty table is not an error.
    static Status open(const std::string& path, std::unique_ptr<DictionaryStore>* out);

    LookupView& lookup() { return m_lookup; }
    BrowseView& browse() { return m_browse; }
    const std::string& path() const { return m_path; }

    // Number of records.
    std::size_t size() const;

    // Record by headword (key semantics), or nullptr; valid until the next write.
    const DictRecord* find(std::string_view key) const;

    // True when some headword of several words starts with `word`.
    bool startsPhrase(std::string_view word) const;

    // Calls fn for every record in browse order.
    void forEach(const std::function<void(const DictRecord&)>& fn) const;

    // Creates a new dictionary file holding the schema and the given records
    // in one transaction; fails when the file exists. Used by the tool and tests.
    static Status create(const std::string& path, const std::vector<DictRecord>& records);

    struct Impl;

private:
    DictionaryStore();
    friend class LookupView;
    friend class BrowseView;

    // Clears the look-up view's current record when a write replaces or removes it.
    void forgetLookupRecord(const DictRecord* record);

    std::string m_path;
    std::unique_ptr<Impl> m_impl;
    LookupView m_lookup;
    BrowseView m_browse;
};

// The dictionary's file name, and its full path beside the running executable.
constexpr std::string_view kDictionaryFileName = "dict.db";
std::string dictionaryPathBesideExecutable();

// Opens dict.db beside the executable (see DictionaryStore::open).
Status openDictionary(std::unique_ptr<DictionaryStore>* out);

// ASCII case folding, the key semantics of the table (NOCASE collation).
bool keysEqual(std::string_view a, std::string_view b);
int compareKeys(std::string_view a, std::string_view b);

}  // namespace dict
