// What every harness shares: the invariant check, which names a broken
// promise on standard error and stops the run so that libFuzzer keeps the
// input as a crash, and the settings that keep one input cheap.
#pragma once

#include <sqlite3.h>

#include <cstdio>

#define CHECK(condition)                                                                   \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                              \
        }                                                                                  \
    } while (0)

// A small quarantine lets freed memory be reused soon, and new blocks are not
// filled: each input then costs no fresh pages. Leaks are still reported.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

namespace fuzzsetup {

// Every SQLite connection of an input would allocate its lookaside and page
// cache in bulk first; the harnesses open one or more per input.
inline void lightSqlite() {
    sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
}

}  // namespace fuzzsetup
