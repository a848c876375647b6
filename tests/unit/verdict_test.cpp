// Every test executable refuses a process that ends before the tests' verdict, with status 0 or any other.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

TEST(Verdict, DISABLED_EndsTheProcessEarly) {
    std::exit(0);
}

TEST(Verdict, AProcessThatEndsBeforeItsVerdictFails) {
    const std::string command =
        "/proc/" + std::to_string(getpid()) +
        "/exe --gtest_also_run_disabled_tests --gtest_filter=Verdict.DISABLED_EndsTheProcessEarly 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << output;
    EXPECT_NE(output.find("FAILED: the process ended before the tests' verdict"), std::string::npos);
}
