// Helpers shared by the dictionary tests: a temporary folder, environment
// variables, small records and files.
#pragma once

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/store.h"

namespace dicttest {

// A fresh directory removed with everything in it when the object goes.
class TempDir final {
public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "vantrel-dict-XXXXXX").string();
        m_path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Sets or unsets an environment variable for the life of the object.
class ScopedEnv final {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A record with the headword and (position, value) pairs; other fields absent.
inline dict::DictRecord rec(std::string word,
                            std::initializer_list<std::pair<int, std::string>> fields = {}) {
    dict::DictRecord r;
    r[dict::kWordEn] = std::move(word);
    for (const auto& [pos, value] : fields) r[pos] = value;
    return r;
}

// The whole content of a file.
inline std::string bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs SQL on the file at path with a connection of its own.
inline void runSql(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

// Leaves the file at path as a writer killed in the middle of a change does:
// a child process rewrites every meaning with a small page cache, so that
// changed pages reach the file, and ends without committing. The hot journal
// stays beside the file. True when it does.
inline bool leaveUnfinishedChange(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ::_exit(1);
        const bool ok =
            sqlite3_exec(
                db,
                "PRAGMA cache_size = 2; BEGIN; "
                "UPDATE dict SET Word_Noun = printf('%.3000c', 'x'), Word_en = 'x' || Word_en",
                nullptr, nullptr, nullptr) == SQLITE_OK;
        ::_exit(ok ? 0 : 1);  // no commit, no close: the change stays unfinished
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || status != 0) return false;
    return std::filesystem::file_size(path + "-journal") > 0;
}

// Records enough for a change of them all to overflow a small page cache.
inline std::vector<dict::DictRecord> manyRecords(const std::string& prefix, int count) {
    std::vector<dict::DictRecord> out;
    for (int i = 0; i < count; ++i)
        out.push_back(rec(prefix + std::to_string(i), {{dict::kWordNoun, "meaning"}}));
    return out;
}

}  // namespace dicttest
