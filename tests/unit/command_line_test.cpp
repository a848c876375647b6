// The program's own options among GLUT's; the messages themselves are checked on the real program.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "rampix");
    return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}
}  // namespace

TEST(CommandLine, ReadsTheRateAndStepsOverGlutsOptions) {
    struct Case {
        std::vector<const char*> arguments;
        int exitStatus;
        int maxFps;
    };
    const Case cases[] = {
        {{}, -1, -1},
        {{"--max-fps=0"}, -1, 0},
        {{"--max-fps", "1000"}, -1, 1000},
        {{"-display", ":1", "-sync", "--max-fps=30", "-geometry", "--help"}, -1, 30},
        {{"-iconic", "-direct", "-indirect", "-gldebug"}, -1, -1},
        {{"-h"}, 0, -1},
        {{"--max-fps=30", "--version", "--bogus"}, 0, 30},
        {{"--max-fps=1001"}, 2, -1},
        {{"--max-fps="}, 2, -1},
        {{"--max-fps=6O"}, 2, -1},
        {{"--max-fps"}, 2, -1},
        {{"-display"}, -1, -1},
        {{"park.pref"}, 2, -1},
        {{"-help"}, 2, -1},
    };
    for (const Case& c : cases) {
        const CommandLine result = parse(c.arguments);
        const std::string line = c.arguments.empty() ? "" : c.arguments[0];
        EXPECT_EQ(result.exitStatus, c.exitStatus) << line;
        if (result.exitStatus < 0) {
            EXPECT_EQ(result.maxFps, c.maxFps) << line;
        }
        EXPECT_EQ(result.message.empty(), result.exitStatus < 0) << line;
    }
    EXPECT_EQ(parse({"park.pref"}).message.substr(0, 36), "rampix: unexpected argument 'park.pr");
}
