#include "dictionary/temporary_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace dict {
namespace {

namespace fs = std::filesystem;

constexpr char kMarker[] = ".tmp-";
constexpr std::size_t kRandomLength = 6;  // the "XXXXXX" of mkstemp
constexpr char kJournal[] = "-journal";
// A file being written is touched at every page SQLite writes; one untouched
// this long, and unlocked, is a killed run's.
constexpr auto kLeftoverAge = std::chrono::minutes(1);

bool isOldEnough(const fs::path& path) {
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    return !ec && fs::file_time_type::clock::now() - written > kLeftoverAge;
}

// True when no program holds the lock of the file at `path` (not a link).
bool isUnlocked(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// The temporaries of `target`: "NAME.tmp-XXXXXX" beside it, and their journals.
void removeLeftovers(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = target.filename().string() + kMarker;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const bool journal = rest.size() == kRandomLength + std::strlen(kJournal) &&
                             rest.compare(kRandomLength, std::string::npos, kJournal) == 0;
        if (rest.size() != kRandomLength && !journal) continue;
        std::error_code ignored;
        if (journal) {
            // A journal outlives its file only when a run was killed at the end.
            const fs::path file = folder / name.substr(0, name.size() - std::strlen(kJournal));
            if (!fs::exists(fs::symlink_status(file, ignored)) && isOldEnough(it->path()))
                fs::remove(it->path(), ignored);
        } else if (it->is_regular_file(ignored) && !it->is_symlink(ignored) &&
                   isOldEnough(it->path()) && isUnlocked(it->path())) {
            fs::remove(it->path().string() + kJournal, ignored);
            fs::remove(it->path(), ignored);
        }
    }
}

}  // namespace

Status TemporaryFile::create(const std::string& target, TemporaryFile* out) {
    removeLeftovers(target);
    std::string path = target + kMarker + std::string(kRandomLength, 'X');
    const int fd = ::mkstemp(path.data());
    if (fd < 0)
        return Status::other("cannot create a file beside \"" + target + "\": " +
                             std::strerror(errno));
    TemporaryFile file;
    file.m_path = std::move(path);
    file.m_lock = fd;
    ::fchmod(fd, 0644);
    ::flock(fd, LOCK_EX | LOCK_NB);
    *out = std::move(file);
    return Status::ok();
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : m_path(std::exchange(other.m_path, std::string())), m_lock(std::exchange(other.m_lock, -1)) {}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
    if (this != &other) {
        discard();
        m_path = std::exchange(other.m_path, std::string());
        m_lock = std::exchange(other.m_lock, -1);
    }
    return *this;
}

TemporaryFile::~TemporaryFile() {
    discard();
}

void TemporaryFile::discard() {
    if (!m_path.empty()) {
        ::unlink((m_path + kJournal).c_str());
        ::unlink(m_path.c_str());
    }
    release();
}

void TemporaryFile::release() {
    if (m_lock >= 0) ::close(m_lock);
    m_lock = -1;
    m_path.clear();
}

}  // namespace dict
