#include "dictionary/browse_view.h"

#include <cstring>

#include "dictionary/store_impl.h"

namespace dict {
namespace {

Status badField(std::string_view name) {
    return Status::other("Field \"" + std::string(name) + "\" does not exist.");
}

// A change of a record another program removed from the file after this one
// read it: reported, rather than taken for done.
Status goneMeanwhile(const DictionaryStore& store) {
    return Status::other("cannot change dictionary \"" + store.path() +
                         "\": another program removed the record meanwhile");
}

}  // namespace

Status writeFailure(const DictionaryStore& store, sqlite3* db, const std::string& reason) {
    const std::string why = sqlite3_extended_errcode(db) == SQLITE_READONLY_DBMOVED
                                ? "the file was moved or removed after it was opened"
                                : reason;
    return Status::other("cannot change dictionary \"" + store.path() + "\": " + why);
}

Status inWriteTransaction(const DictionaryStore& store, sqlite3* db,
                          const std::function<Status()>& write) {
    std::string reason;
    if (!sql::exec(db, "BEGIN IMMEDIATE", &reason)) return writeFailure(store, db, reason);
    Status s = write();
    if (s.isOk() && !sql::exec(db, "COMMIT", &reason)) s = writeFailure(store, db, reason);
    if (!s.isOk()) sql::exec(db, "ROLLBACK", nullptr);
    return s;
}

Status BrowseView::loadCurrent(std::int64_t rowid) {
    const TableImage::Entry* e = m_store.m_impl->image.at(rowid);
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

void BrowseView::moveOff(Where where) {
    m_pending.reset();
    m_pendingIsAdd = false;
    m_where = where;
    m_deleted = false;
}

Status BrowseView::moveFirst() {
    const auto& order = m_store.m_impl->image.order();
    if (order.empty()) return Status::noCurrentRecord();
    return moveTo(order.front()->rowid);
}

Status BrowseView::moveLast() {
    const auto& order = m_store.m_impl->image.order();
    if (order.empty()) return Status::noCurrentRecord();
    return moveTo(order.back()->rowid);
}

Status BrowseView::moveNext() {
    const TableImage& image = m_store.m_impl->image;
    std::size_t next;
    switch (m_where) {
        case Where::kEof:
            return Status::noCurrentRecord();
        case Where::kBof:
            if (image.size() == 0) return Status::noCurrentRecord();
            next = 0;
            break;
        case Where::kAt:
        default:
            next = image.upperBound(m_key);
            break;
    }
    if (next >= image.size()) {
        moveOff(Where::kEof);
        return Status::ok();
    }
    return moveTo(image.order()[next]->rowid);
}

Status BrowseView::movePrevious() {
    const TableImage& image = m_store.m_impl->image;
    std::size_t prev;  // one past the record to reach
    switch (m_where) {
        case Where::kBof:
            return Status::noCurrentRecord();
        case Where::kEof:
            if (image.size() == 0) return Status::noCurrentRecord();
            prev = image.size();
            break;
        case Where::kAt:
        default:
            prev = image.lowerBound(m_key);
            break;
    }
    if (prev == 0) {
        moveOff(Where::kBof);
        return Status::ok();
    }
    return moveTo(image.order()[prev - 1]->rowid);
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
    return static_cast<std::int32_t>(m_store.m_impl->image.lowerBound(m_key));
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
    if (mark.size() != sizeof rowid || !m_store.m_impl->image.at(rowid))
        return Status::other("Not a valid bookmark.");
    return moveTo(rowid);
}

Status BrowseView::findFirst(std::string_view word) {
    const TableImage::Entry* e = m_store.m_impl->image.find(word);
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
    DictionaryStore::Impl& impl = *m_store.m_impl;
    const DictRecord& rec = *m_pending;
    if (!rec[kWordEn]) return Status::other("Field \"Word_en\" cannot be absent.");
    const std::string& word = *rec[kWordEn];
    TableImage::Entry* target = nullptr;
    if (!m_pendingIsAdd) {
        target = impl.image.at(m_rowid);
        if (!target) return Status::noCurrentRecord();
    }
    const TableImage::Entry* same = impl.image.find(word);
    if (same && same != target) return Status::duplicateKey(word);
    if (Status s = m_store.makeWritable(); !s.isOk()) return s;

    // The headword becomes the user's; a changed headword leaves the old one
    // deleted by the user.
    user::MarkBatch marks;
    if (target && !keysEqual(target->key(), word)) marks.add(target->key(), true);
    marks.add(word, false);
    sqlite3* db = impl.db.get();
    std::int64_t rowid = m_rowid;
    const Status written = inWriteTransaction(m_store, db, [&]() -> Status {
        sql::Stmt st;
        int rc = st.prepare(db, m_pendingIsAdd ? sql::kInsert : sql::kUpdate);
        if (rc == SQLITE_OK) {
            sql::bindRecord(st.get(), rec);
            if (!m_pendingIsAdd) sqlite3_bind_int64(st.get(), 11, m_rowid);
            rc = sqlite3_step(st.get());
        }
        if (rc != SQLITE_DONE)
            return rc == SQLITE_CONSTRAINT_UNIQUE ? Status::duplicateKey(word)
                                                  : writeFailure(m_store, db, sqlite3_errmsg(db));
        if (!m_pendingIsAdd && sqlite3_changes(db) != 1) return goneMeanwhile(m_store);
        if (m_pendingIsAdd) rowid = sqlite3_last_insert_rowid(db);
        std::string why;
        return marks.write(db, &why) ? Status::ok() : writeFailure(m_store, db, why);
    });
    if (!written.isOk()) return written;
    // The file holds the change: bring the in-memory image in step.
    marks.applyTo(&impl.marks);
    DictRecord stored = std::move(*m_pending);
    m_pending.reset();
    if (m_pendingIsAdd) {
        impl.image.add(rowid, std::move(stored));
    } else {
        m_store.forgetLookupRecord(&target->record);
        impl.image.replace(target, std::move(stored));
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
    DictionaryStore::Impl& impl = *m_store.m_impl;
    TableImage::Entry* e = impl.image.at(m_rowid);
    if (!e) return Status::noCurrentRecord();
    if (Status s = m_store.makeWritable(); !s.isOk()) return s;
    user::MarkBatch marks;
    marks.add(e->key(), true);
    return rewriteCurrent(std::nullopt, marks);
}

Status BrowseView::giveBack() {
    if (m_where != Where::kAt || m_deleted) return Status::noCurrentRecord();
    DictionaryStore::Impl& impl = *m_store.m_impl;
    TableImage::Entry* e = impl.image.at(m_rowid);
    if (!e) return Status::noCurrentRecord();
    std::optional<DictRecord> shipped;
    if (Status s = m_store.shippedRecord(e->key(), &shipped); !s.isOk()) return s;
    if (Status s = m_store.makeWritable(); !s.isOk()) return s;
    user::MarkBatch marks;
    marks.remove(e->key());
    return rewriteCurrent(std::move(shipped), marks);
}

Status BrowseView::rewriteCurrent(std::optional<DictRecord> record, const user::MarkBatch& marks) {
    DictionaryStore::Impl& impl = *m_store.m_impl;
    TableImage::Entry* e = impl.image.at(m_rowid);
    if (!e) return Status::noCurrentRecord();
    sqlite3* db = impl.db.get();
    const Status written = inWriteTransaction(m_store, db, [&]() -> Status {
        sql::Stmt st;
        int rc = st.prepare(db, record ? sql::kUpdate : "DELETE FROM dict WHERE rowid = ?11");
        if (rc == SQLITE_OK) {
            if (record) sql::bindRecord(st.get(), *record);
            sqlite3_bind_int64(st.get(), 11, m_rowid);
            rc = sqlite3_step(st.get());
        }
        if (rc != SQLITE_DONE) return writeFailure(m_store, db, sqlite3_errmsg(db));
        if (record && sqlite3_changes(db) != 1) return goneMeanwhile(m_store);
        std::string why;
        return marks.write(db, &why) ? Status::ok() : writeFailure(m_store, db, why);
    });
    if (!written.isOk()) return written;
    m_pending.reset();
    m_pendingIsAdd = false;
    marks.applyTo(&impl.marks);
    m_store.forgetLookupRecord(&e->record);
    if (record) {
        impl.image.replace(e, std::move(*record));
        return loadCurrent(m_rowid);
    }
    impl.image.erase(e);
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
