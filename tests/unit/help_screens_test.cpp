#include "ui/help_screens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

TEST(HelpScreens, LinesAreLaidOutForTallWindowsAndTruncateTowardsZero) {
    const HelpLayout tall = helpLayout(600);
    EXPECT_EQ(tall.titleY, 552);
    EXPECT_EQ(tall.firstBlockY, 529);
    EXPECT_EQ(tall.secondBlockY, 254);
    const HelpLine& last = kStandardControlLines[std::size(kStandardControlLines) - 1];
    EXPECT_EQ(tall.secondBlockY + last.yOffset, -91);

    const HelpLayout low = helpLayout(200);  // the second block starts below the window
    EXPECT_EQ(low.titleY, 184);
    EXPECT_EQ(low.firstBlockY, 161);
    EXPECT_EQ(low.secondBlockY, -113);

    const InfoLayout info = infoLayout(1024, 768);
    EXPECT_EQ(info.x, 256);
    EXPECT_EQ(info.y, 729);
    EXPECT_EQ(info.linesY, 687);
}

TEST(HelpScreens, EveryLineFitsTheTextBufferAndKeyLinesKeepTheirColumns) {
    int lines = 1;  // the title
    auto check = [&lines](const HelpLine& line) {
        ++lines;
        const size_t length = std::strlen(line.text);
        EXPECT_LT(length, 80u) << line.text;
        if (line.kind != HelpLineKind::Key) return;
        ASSERT_GT(length, static_cast<size_t>(kHelpKeyColumn)) << line.text;
        const std::string key(line.text, kHelpKeyColumn);
        EXPECT_NE(key.find_first_not_of(' '), std::string::npos) << line.text;
        EXPECT_EQ(key.back(), ' ') << line.text;
        EXPECT_NE(line.text[kHelpKeyColumn], ' ') << line.text;  // what the key does starts here
    };
    for (const HelpLine& line : kSpecialControlLines) check(line);
    for (const HelpLine& line : kStandardControlLines) check(line);
    EXPECT_EQ(lines, 43);
    for (const InfoLine& line : kInfoLines) EXPECT_LT(std::strlen(line.text), 80u) << line.text;
}
