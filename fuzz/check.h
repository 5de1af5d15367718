// The harnesses' invariant check: a broken promise names itself on standard
// error and stops the run, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>

#define CHECK(condition)                                                            \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                       \
        }                                                                           \
    } while (0)
