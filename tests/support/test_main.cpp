// The main of every test executable. A test verdict counts only when the framework reaches it: a process
// that ends while the tests still run (an exit deep in the program, whatever its status) fails loudly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

namespace {
bool verdictReached = false;
pid_t testPid = 0;  // a child forked by a test (a death test's, say) ends as it likes

void refuseEarlyEnd() {
    if (verdictReached || getpid() != testPid) return;
    static const char kMessage[] = "\nFAILED: the process ended before the tests' verdict\n";
    _exit(write(2, kMessage, sizeof kMessage - 1) < 0 ? 2 : 1);
}
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testPid = getpid();
    std::atexit(refuseEarlyEnd);
    std::at_quick_exit(refuseEarlyEnd);
    const int result = RUN_ALL_TESTS();
    verdictReached = true;
    return result;
}
