// The ordered view of an open dictionary, for browsing and editing: moves,
// positions, bookmarks, find, add, change and delete.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/record.h"
#include "dictionary/status.h"

namespace dict {

class DictionaryStore;
namespace user {
class MarkBatch;
}

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
    // Gives the current record back to the shipped dictionary: it becomes the
    // shipped record of its headword again, or goes as remove() removes it when
    // the shipped dictionary lacks the headword, and is the user's no longer.
    Status giveBack();

    // Field of the current record (of the pending record while one is open).
    Status field(int pos, FieldValue* out) const;
    Status field(std::string_view name, FieldValue* out) const;

private:
    friend class DictionaryStore;
    explicit BrowseView(DictionaryStore& store) : m_store(store) {}

    enum class Where { kBof, kAt, kEof };
    // Replaces the current record by record, or removes it when there is
    // none, writing marks in the same transaction.
    Status rewriteCurrent(std::optional<DictRecord> record, const user::MarkBatch& marks);
    Status moveTo(std::int64_t rowid);
    Status loadCurrent(std::int64_t rowid);
    // Drops a pending add or change and stands before the first record
    // (kBof) or after the last (kEof).
    void moveOff(Where where);

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

}  // namespace dict
