// The keyed view of an open dictionary: seek a headword, test NoMatch, read
// the fields of the record found.
#pragma once

#include <cstdint>
#include <string_view>

#include "dictionary/record.h"
#include "dictionary/status.h"

namespace dict {

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
    // Starts loading what a find of key reads first, so that it waits less
    // for memory when it comes, and returns the key's hash for that find.
    std::uint64_t prefetch(std::string_view key) const;
    const DictRecord* find(std::string_view key, std::uint64_t hash) const;

    bool noMatch() const { return m_current == nullptr; }

    // True when some headword starts with `prefix` followed by a space (key
    // semantics), so look-ups of longer keys beginning with it may succeed;
    // for one word, when it begins a headword of several words.
    bool startsPhrase(std::string_view prefix) const;

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

}  // namespace dict
