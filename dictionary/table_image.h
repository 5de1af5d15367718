// The whole dictionary table held in memory, which every look-up and move of
// the store's views reads. Private to the store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/record.h"

namespace dict {

// A count for each of a set of texts compared by key semantics, in an
// open-addressing table: contains() neither copies nor allocates.
class FoldedCounts final {
public:
    bool empty() const { return m_used == 0; }
    bool contains(std::string_view key) const;
    void add(std::string_view key);
    // Takes one off the count of key, forgetting it at zero.
    void remove(std::string_view key);

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t count = 0;  // 0: the slot is free
        std::uint32_t text = 0;   // index into m_texts
        bool taken() const { return count != 0; }
    };
    // The slot holding key, or the free slot where it would go.
    std::size_t probe(std::string_view key, std::uint64_t hash) const;
    void grow();

    std::vector<Slot> m_slots;  // size is a power of two, at most half full
    std::size_t m_used = 0;
    std::vector<std::string> m_texts;
    std::vector<std::uint32_t> m_freeTexts;
};

// The records of table dict owned by rowid, an open-addressing hash index on
// the folded headword, the records in browse order (compareKeys) and how many
// headwords go on past each of their words (the prefixes before each space).
// The store mirrors every write to the file here.
class TableImage final {
public:
    struct Entry {
        std::int64_t rowid = 0;
        DictRecord record;  // its headword is always present
        std::string_view key() const { return *record[kWordEn]; }
    };

    // Makes room for n records before they are loaded.
    void reserve(std::size_t n);
    // Takes one record of the file, which must have a headword; index() follows
    // the last one. False, taking nothing, when the rowid is taken already (a
    // damaged file can list a row twice).
    bool load(std::int64_t rowid, DictRecord record);
    // Indexes and orders the loaded records; false, with the headword in
    // *duplicate, when two of them have the same key.
    bool index(std::string* duplicate);

    std::size_t size() const { return m_order.size(); }
    // The records in browse order.
    const std::vector<Entry*>& order() const { return m_order; }
    // The record whose headword equals key (key semantics), or nullptr.
    Entry* find(std::string_view key) const { return find(key, hash(key)); }
    // The hash of a key, and the find that takes it: a caller that looks the
    // same key up more than once, or prefetches it, hashes it once.
    static std::uint64_t hash(std::string_view key);
    Entry* find(std::string_view key, std::uint64_t hash) const;
    // Starts loading the index slot of a key of that hash, so that a find a
    // little later waits less for memory.
    void prefetch(std::uint64_t hash) const;
    // The record of rowid, or nullptr.
    Entry* at(std::int64_t rowid) const;
    // True when some headword starts with `prefix` followed by a space (key
    // semantics): for one word, when it begins a headword of several words.
    bool startsPhrase(std::string_view prefix) const;
    // First position in browse order whose key is not less (greater) than key.
    std::size_t lowerBound(std::string_view key) const;
    std::size_t upperBound(std::string_view key) const;

    // Mirrors an insert, a change and a delete of one record.
    void add(std::int64_t rowid, DictRecord record);
    void replace(Entry* e, DictRecord record);
    void erase(Entry* e);

private:
    struct Slot {
        Entry* entry = nullptr;
        std::uint64_t hash = 0;
        bool taken() const { return entry != nullptr; }
    };

    void countPrefixes(const Entry* e, int delta);
    void rehash(std::size_t capacity);
    void indexInsert(Entry* e);
    bool indexInsertUnique(Entry* e);
    void indexErase(Entry* e);
    void orderInsert(Entry* e);
    void orderErase(Entry* e);

    std::unordered_map<std::int64_t, std::unique_ptr<Entry>> m_byRowid;
    std::vector<Slot> m_slots;  // size is a power of two, at most half full
    std::size_t m_used = 0;
    std::vector<Entry*> m_order;  // sorted by compareKeys
    // How many headwords go on past each prefix ending before a space.
    FoldedCounts m_prefixes;
};

}  // namespace dict
