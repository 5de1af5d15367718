// The user's own words as a whole: which records are the user's, the list of
// the user's changes, and writing a list of them at once.
#include <algorithm>
#include <set>

#include "dictionary/store_impl.h"

namespace dict {

bool DictionaryStore::isUsersOwn(std::string_view key) const {
    const auto it = m_impl->marks.find(foldCase(key));
    return it != m_impl->marks.end() && !it->second.deleted;
}

std::vector<UserChange> DictionaryStore::userChanges() const {
    std::vector<UserChange> out;
    for (const auto& [key, mark] : m_impl->marks) {
        const TableImage::Entry* e = mark.deleted ? nullptr : m_impl->image.find(mark.word);
        // A mark whose record is missing can only mean the word is gone.
        out.push_back(e ? UserChange{std::string(e->key()), e->record}
                        : UserChange{mark.word, std::nullopt});
    }
    std::stable_sort(out.begin(), out.end(), [](const UserChange& a, const UserChange& b) {
        return compareKeys(a.word, b.word) < 0;
    });
    return out;
}

Status DictionaryStore::shippedRecord(std::string_view key, std::optional<DictRecord>* out) const {
    if (shippedPath().empty())
        return Status::other("dictionary \"" + m_path + "\" lies over no shipped dictionary");
    return user::readShippedRecord(shippedPath(), key, out);
}

Status DictionaryStore::applyUserChanges(const std::vector<UserChange>& changes) {
    std::set<std::string> keys;
    for (const UserChange& c : changes) {
        if (c.word.empty()) return Status::other("a change has no headword");
        if (c.record && (!(*c.record)[kWordEn] || !keysEqual(*(*c.record)[kWordEn], c.word)))
            return Status::other("the record of \"" + c.word + "\" has another headword");
        if (!keys.insert(foldCase(c.word)).second)
            return Status::other("headword \"" + c.word + "\" is changed twice");
    }
    if (changes.empty()) return Status::ok();
    if (Status s = makeWritable(); !s.isOk()) return s;

    // What the transaction did, for the image once it has committed.
    struct Done {
        TableImage::Entry* entry;  // the record replaced or removed; nullptr for an add
        std::int64_t rowid;
        const UserChange* change;
    };
    std::vector<Done> done;
    user::MarkBatch marks;
    sqlite3* db = m_impl->db.get();
    const Status written = inWriteTransaction(*this, db, [&]() -> Status {
        sql::Stmt insert, update, remove;
        if (insert.prepare(db, sql::kInsert) != SQLITE_OK ||
            update.prepare(db, sql::kUpdate) != SQLITE_OK ||
            remove.prepare(db, "DELETE FROM dict WHERE rowid = ?1") != SQLITE_OK)
            return writeFailure(*this, db, sqlite3_errmsg(db));
        for (const UserChange& c : changes) {
            TableImage::Entry* e = m_impl->image.find(c.word);
            sqlite3_stmt* st = c.record ? (e ? update.get() : insert.get()) : remove.get();
            if (!c.record && !e) {
                marks.add(c.word, true);  // deleted already: it stays deleted
                continue;
            }
            sqlite3_reset(st);
            if (c.record) sql::bindRecord(st, *c.record);
            if (e) sqlite3_bind_int64(st, c.record ? 11 : 1, e->rowid);
            if (sqlite3_step(st) != SQLITE_DONE) return writeFailure(*this, db, sqlite3_errmsg(db));
            done.push_back({e, e ? e->rowid : sqlite3_last_insert_rowid(db), &c});
            marks.add(c.record ? std::string_view(*(*c.record)[kWordEn]) : c.word, !c.record);
        }
        std::string why;
        return marks.write(db, &why) ? Status::ok() : writeFailure(*this, db, why);
    });
    if (!written.isOk()) return written;
    marks.applyTo(&m_impl->marks);
    for (const Done& d : done) {
        if (d.entry) forgetLookupRecord(&d.entry->record);
        if (!d.change->record)
            m_impl->image.erase(d.entry);
        else if (d.entry)
            m_impl->image.replace(d.entry, *d.change->record);
        else
            m_impl->image.add(d.rowid, *d.change->record);
    }
    return Status::ok();
}

}  // namespace dict
