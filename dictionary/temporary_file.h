// The file a new dictionary is written into before it is renamed into place.
#pragma once

#include <string>

#include "dictionary/status.h"

namespace dict {

// A new empty file "TARGET.tmp-XXXXXX" beside TARGET. This program holds a
// lock on it while the object lives, so that a later run can tell a file that
// a killed run left behind from one another program is still writing.
//
// The lock's descriptor is closed when the object goes or is released, and
// closing it drops this process's SQLite locks on the same file: close every
// SQLite connection to it first.
class TemporaryFile final {
public:
    // Removes what killed runs left for `target` (files no program has locked,
    // untouched for a minute, with their journals), then creates and locks a
    // new file with mode 0644.
    static Status create(const std::string& target, TemporaryFile* out);

    TemporaryFile() = default;
    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Removes the file and its journal, unless released.
    ~TemporaryFile();

    const std::string& path() const { return m_path; }

    // Unlocks the file and leaves it where it is: for a file renamed into place.
    void release();

private:
    // Removes the file and its journal, if any, and unlocks.
    void discard();

    std::string m_path;
    int m_lock = -1;
};

}  // namespace dict
