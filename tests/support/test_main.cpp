// The main of every test executable. A test verdict counts only when the framework reaches it: a process
// that ends while the tests still run (an exit deep in the program, whatever its status) fails loudly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {
bool verdictReached = false;
pid_t testPid = 0;  // a child forked by a test ends as it likes

void refuseEarlyEnd() {
    if (verdictReached || getpid() != testPid) return;
    static const char kMessage[] = "\nFAILED: the process ended before the tests' verdict\n";
    if (write(2, kMessage, sizeof kMessage - 1) < 0) {
    }
    _exit(1);
}

// A death test's child runs the same main again; there the end of the process is the point.
bool inDeathTestChild(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_internal_run_death_test", 31) == 0) return true;
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testPid = getpid();
    if (!inDeathTestChild(argc, argv)) {
        std::atexit(refuseEarlyEnd);
        std::at_quick_exit(refuseEarlyEnd);
    }
    const int result = RUN_ALL_TESTS();
    verdictReached = true;
    return result;
}
