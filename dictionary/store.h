// The English-to-Thai dictionary: one SQLite table `dict` of headwords with
// Thai meanings filed by part of speech, reached through two views that share
// the same rows: LookupView for keyed look-ups and BrowseView for ordered
// browsing and editing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/browse_view.h"
#include "dictionary/locate.h"
#include "dictionary/lookup_view.h"
#include "dictionary/record.h"
#include "dictionary/status.h"

namespace dict {

// How a dictionary file is opened.
struct OpenOptions {
    // Never write the file; it need not be writable.
    bool readOnly = false;
    // With readOnly: the first write copies the file here (atomically, never
    // replacing a file that exists) and the store goes on with the copy.
    std::string copyOnWrite;
    // Without readOnly, for a program that must go on when the file cannot be
    // changed now: a file the user may not write opens read-only, its writes
    // failing with that reason; a file another connection holds for writing
    // opens all the same, its writes waiting for the lock and failing while
    // it is held.
    bool lenient = false;
    // The shipped dictionary this file lies over (the user's own copy): when
    // it differs from the one taken in last, the opening first takes it in
    // (see dictionary/user_words.h). A file that cannot be written then stays
    // as it is, and takeInProblem() says why.
    std::string shipped;
};

// A change of the user's: the whole record of a headword, or its deletion.
struct UserChange {
    std::string word;                  // the headword as the user wrote it
    std::optional<DictRecord> record;  // nullopt: deleted
    bool operator==(const UserChange&) const = default;
};

// An open dictionary file: the database and its two views. Look-ups go to an
// in-memory image of the whole table that every write keeps in step.
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

    // Opens an existing dictionary file as options say; read-only it takes no
    // write lock and accepts a file the user may not change.
    static Status open(const std::string& path, const OpenOptions& options,
                       std::unique_ptr<DictionaryStore>* out);

    LookupView& lookup() { return m_lookup; }
    BrowseView& browse() { return m_browse; }
    // The file in use: after a copy on write, the copy.
    const std::string& path() const { return m_path; }
    // The options the file was opened with (those asked for).
    const OpenOptions& options() const { return m_options; }
    // True when the file is not written: opened read-only, or lenient and
    // found unwritable.
    bool readOnly() const { return m_options.readOnly || !m_unwritable.empty(); }

    // Readies the store for a write: nothing when it is writable; a read-only
    // store with a copy place is copied there and reopened on the copy, its
    // views keeping their places; any other read-only store is an error
    // naming the file (and, when it was found unwritable, why).
    Status makeWritable();

    // The shipped dictionary under this file (after a copy on write: the file
    // copied), or empty.
    const std::string& shippedPath() const { return m_options.shipped; }
    // Why the opening could not take in a newer shipped dictionary, or empty.
    const std::string& takeInProblem() const { return m_takeInProblem; }

    // True when the user added or changed the record of key (key semantics).
    bool isUsersOwn(std::string_view key) const;
    // The user's changes in headword order: each record the user added or
    // changed as it stands, and each headword the user deleted.
    std::vector<UserChange> userChanges() const;
    // Makes the changes in one transaction, each headword at most once: a
    // record replaces the one of its key or is added, a deletion removes the
    // key (when present); each becomes the user's. The first write of a
    // read-only store with a copy place copies it first (see makeWritable).
    Status applyUserChanges(const std::vector<UserChange>& changes);
    // The shipped dictionary's record of key, or nullopt when it has none; an
    // error without a shipped dictionary.
    Status shippedRecord(std::string_view key, std::optional<DictRecord>* out) const;

    // Number of records.
    std::size_t size() const;

    // Record by headword (key semantics), or nullptr; valid until the next write.
    const DictRecord* find(std::string_view key) const;
    // The same find with the key's hash as prefetch() gave it.
    const DictRecord* find(std::string_view key, std::uint64_t hash) const;
    // Starts loading what a find of key reads first and returns the key's hash.
    std::uint64_t prefetch(std::string_view key) const;

    // True when some headword starts with `prefix` followed by a space: for
    // one word, when it begins a headword of several words.
    bool startsPhrase(std::string_view prefix) const;

    // Calls fn for every record in browse order.
    void forEach(const std::function<void(const DictRecord&)>& fn) const;

    // Creates a new dictionary file holding the schema and the given records
    // in one transaction; fails when the file exists and is not empty. Used by
    // the tool and tests.
    static Status create(const std::string& path, const std::vector<DictRecord>& records);

    // Makes a writable store of the given records in a database held in memory
    // only (its path() is ":memory:"); fails on a record without headword or
    // two of one key. For tools and tests that need no file.
    static Status createInMemory(const std::vector<DictRecord>& records,
                                 std::unique_ptr<DictionaryStore>* out);

    // The open database and the image of its table (dictionary/store_impl.h).
    struct Impl;

private:
    DictionaryStore();
    friend class LookupView;
    friend class BrowseView;

    // Makes the browse view's first record current, when there is one.
    void placeBrowseOnFirst();
    // Clears the look-up view's current record when a write replaces or removes it.
    void forgetLookupRecord(const DictRecord* record);

    std::string m_path;
    OpenOptions m_options;
    std::string m_unwritable;  // why a lenient read-write opening went read-only
    std::string m_takeInProblem;
    std::unique_ptr<Impl> m_impl;
    LookupView m_lookup;
    BrowseView m_browse;
};

// Rolls back the change a writer left unfinished in the dictionary file at
// path (its "-journal" beside it), so that the journal cannot be applied to
// another file put in its place; a journal without its file is removed.
Status undoUnfinishedChange(const std::string& path);

// The full path of dict.db beside the running executable.
std::string dictionaryPathBesideExecutable();

// What a program does with the dictionary it locates.
enum class Access {
    kRead,  // look-ups only: every file opens read-only
    kEdit,  // the editor may write: the shipped copy opens read-only and is
            // copied to the user's place on the first write, any other
            // read-write (leniently: see OpenOptions::lenient)
};

// Opens the located file for that access; when nothing was found, an error
// that lists the places searched.
Status openLocated(const DictionaryLocation& location, Access access,
                   std::unique_ptr<DictionaryStore>* out);

}  // namespace dict
