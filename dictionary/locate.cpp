#include "dictionary/locate.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "vantrel/build_info.h"

namespace dict {
namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool isRegularFile(const std::string& path) {
    struct stat sb {};
    return ::stat(path.c_str(), &sb) == 0 && S_ISREG(sb.st_mode);
}

std::string inDataFolder(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder + "/vantrel/" + std::string(kDictionaryFileName);
}

// The folders of a colon-separated list; relative entries are ignored, as
// the base directory rules ask.
std::vector<std::string> absoluteFolders(const std::string& list) {
    std::vector<std::string> out;
    std::istringstream entries(list);
    for (std::string item; std::getline(entries, item, ':');) {
        if (!item.empty() && item.front() == '/') out.push_back(item);
    }
    return out;
}

}  // namespace

bool isSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::string executableFolder() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    const std::string exe = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string userDictionaryPath() {
    std::string base = env("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') base = env("HOME") + "/.local/share";
    return inDataFolder(base);
}

std::vector<std::string> shippedDictionaryPaths() {
    std::string dirs = env("XDG_DATA_DIRS");
    if (absoluteFolders(dirs).empty()) dirs = "/usr/local/share/:/usr/share/";
    std::vector<std::string> out;
    for (const std::string& folder : absoluteFolders(dirs)) out.push_back(inDataFolder(folder));
    // A copy installed under another prefix finds its own data folder.
    const std::string own =
        (std::filesystem::path(executableFolder()) / VANTREL_DATA_FROM_BINDIR / kDictionaryFileName)
            .lexically_normal()
            .string();
    bool listed = false;
    for (const std::string& path : out) listed = listed || path == own;
    if (!listed) out.push_back(own);
    return out;
}

DictionaryLocation locateDictionary(std::string_view named) {
    DictionaryLocation location;
    std::string chosen(named);
    if (chosen.empty()) chosen = env("VANTREL_DICT");
    const auto findShipped = [&location] {
        for (const std::string& path : shippedDictionaryPaths()) {
            if (isRegularFile(path)) {
                location.shipped = path;
                return;
            }
        }
    };
    if (!chosen.empty()) {
        location.path = chosen;
        location.searched.push_back(chosen);
        if (isSameFile(chosen, userDictionaryPath())) {
            location.origin = DictionaryOrigin::kUserCopy;
            findShipped();
        }
        return location;
    }
    const auto tryPath = [&location](const std::string& path, DictionaryOrigin origin) {
        location.searched.push_back(path);
        if (!isRegularFile(path)) return false;
        location.path = path;
        location.origin = origin;
        return true;
    };
    if (tryPath(executableFolder() + "/" + std::string(kDictionaryFileName),
                DictionaryOrigin::kBesideProgram))
        return location;
    if (tryPath(userDictionaryPath(), DictionaryOrigin::kUserCopy)) {
        findShipped();
        return location;
    }
    for (const std::string& path : shippedDictionaryPaths())
        if (tryPath(path, DictionaryOrigin::kShipped)) return location;
    location.path.clear();
    return location;
}

std::string describeLocation(const DictionaryLocation& location) {
    if (location.path.empty()) {
        std::string text = "no dictionary found; looked for";
        for (const std::string& path : location.searched) text += " " + path;
        return text;
    }
    switch (location.origin) {
        case DictionaryOrigin::kNamed:
            return location.path + " (named on the command line or by VANTREL_DICT)";
        case DictionaryOrigin::kBesideProgram:
            return location.path + " (beside the program)";
        case DictionaryOrigin::kUserCopy:
            if (location.shipped.empty()) return location.path + " (your own copy)";
            return location.path + " (your own copy; it takes in newer versions of " +
                   location.shipped + ")";
        case DictionaryOrigin::kShipped:
            return location.path + " (shipped, read-only; the first change is saved to " +
                   userDictionaryPath() + ")";
    }
    return location.path;
}

}  // namespace dict
