// A failed property in a fuzz target: the message goes to standard error and the run aborts, which
// libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}
