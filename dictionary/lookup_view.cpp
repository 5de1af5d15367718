#include "dictionary/lookup_view.h"

#include <string>

#include "dictionary/store.h"

namespace dict {

Status LookupView::setIndex(std::string_view indexName) {
    if (keysEqual(indexName, "PrimaryKey")) return Status::ok();
    std::string message = "\"";
    message.append(indexName).append("\" is not an index of table dict.");
    return Status::other(std::move(message));
}

void LookupView::seek(std::string_view key) {
    m_current = find(key);
}

const DictRecord* LookupView::find(std::string_view key) const {
    return m_store.find(key);
}

std::uint64_t LookupView::prefetch(std::string_view key) const {
    return m_store.prefetch(key);
}

const DictRecord* LookupView::find(std::string_view key, std::uint64_t hash) const {
    return m_store.find(key, hash);
}

bool LookupView::startsPhrase(std::string_view prefix) const {
    return m_store.startsPhrase(prefix);
}

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

}  // namespace dict
