// The English-to-Thai dictionary: one SQLite table `dict` of headwords with
// Thai meanings filed by part of speech, reached through two views that share
// the same rows: LookupView for keyed look-ups and BrowseView for ordered
// browsing and editing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/browse_view.h"
#include "dictionary/lookup_view.h"
#include "dictionary/record.h"
#include "dictionary/status.h"

namespace dict {

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

    LookupView& lookup() { return m_lookup; }
    BrowseView& browse() { return m_browse; }
    const std::string& path() const { return m_path; }

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
    // in one transaction; fails when the file exists. Used by the tool and tests.
    static Status create(const std::string& path, const std::vector<DictRecord>& records);

    // The open database and the image of its table (dictionary/store_impl.h).
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

}  // namespace dict
