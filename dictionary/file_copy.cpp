#include "dictionary/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dictionary/temporary_file.h"

namespace dict {
namespace {

// Flushes a file or folder to disk.
bool syncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Renames from to `to` unless `to` exists; falls back to a checked plain
// rename where the file system cannot refuse to replace.
bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat sb {};
    if (::lstat(to.c_str(), &sb) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

Status copyDatabaseTo(sqlite3* from, const std::string& to,
                      const std::function<bool(sqlite3* copy, std::string* why)>& prepare,
                      sql::DbHandle* out) {
    const auto fail = [&to](const std::string& reason) {
        return Status::other("cannot copy the dictionary to \"" + to + "\": " + reason);
    };
    const std::filesystem::path target(to);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    if (ec) return fail(ec.message());
    struct stat sb {};
    if (::lstat(to.c_str(), &sb) == 0) return fail("the file exists already");

    TemporaryFile temporary;
    Status made = TemporaryFile::create(to, &temporary);
    if (!made.isOk()) return fail(made.message());
    {
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(temporary.path().c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        sql::DbHandle copy(raw);
        if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
        sqlite3_backup* backup = sqlite3_backup_init(raw, "main", from, "main");
        if (!backup) return fail(sqlite3_errmsg(raw));
        const int step = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (step != SQLITE_DONE) return fail(sql::reason(raw, step));
        std::string why;
        if (prepare && !prepare(raw, &why)) return fail(why);
    }
    if (!syncPath(temporary.path(), O_RDONLY)) return fail(std::strerror(errno));
    if (!renameNoReplace(temporary.path(), to)) return fail(std::strerror(errno));
    temporary.release();
    // The rename itself reaches the disk with the folder.
    syncPath(target.has_parent_path() ? target.parent_path().string() : ".",
             O_RDONLY | O_DIRECTORY);

    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(to.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sql::DbHandle copy(raw);
    if (rc != SQLITE_OK) return fail(sql::reason(raw, rc));
    sqlite3_busy_timeout(raw, sql::kLockWaitMs);
    sqlite3_extended_result_codes(raw, 1);
    *out = std::move(copy);
    return Status::ok();
}

}  // namespace dict
