#include "dictionary/sql.h"

namespace dict::sql {

int Stmt::prepare(sqlite3* db, std::string_view sql) {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    return sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr);
}

std::string columnText(sqlite3_stmt* st, int col) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st, col)))
             : std::string();
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

std::string reason(sqlite3* db, int rc) {
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

bool exec(sqlite3* db, const char* sql, std::string* why) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) == SQLITE_OK) return true;
    if (why) *why = err ? err : sqlite3_errmsg(db);
    sqlite3_free(err);
    return false;
}

}  // namespace dict::sql
