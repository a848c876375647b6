#include "ui/help_screens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

TEST(HelpScreens, LinesAreLaidOutFromTheWindowHeightAndTruncateTowardsZero) {
    const HelpLayout tall = helpLayout(600), low = helpLayout(200);
    EXPECT_EQ(tall.titleY, 552);
    EXPECT_EQ(tall.firstBlockY, 529);
    EXPECT_EQ(tall.secondBlockY, 254);
    EXPECT_EQ(tall.secondBlockY + kStandardControlLines[std::size(kStandardControlLines) - 1].yOffset, -91);
    EXPECT_EQ(low.titleY, 184);
    EXPECT_EQ(low.firstBlockY, 161);
    EXPECT_EQ(low.secondBlockY, -113);  // the second block starts below the window
    const InfoLayout info = infoLayout(1024, 768);
    EXPECT_EQ(info.x, 256);
    EXPECT_EQ(info.y, 729);
    EXPECT_EQ(info.linesY, 687);
}

TEST(HelpScreens, EveryLineFitsTheTextBufferAndKeyLinesKeepTheirColumns) {
    int lines = 1;  // the title
    const auto check = [&lines](const char* text, bool key) {
        ++lines;
        EXPECT_LT(std::strlen(text), 80u) << text;
        if (!key) return;
        const std::string line = text, column = line.substr(0, kHelpKeyColumn);
        EXPECT_TRUE(column.find_first_not_of(' ') != std::string::npos && column.back() == ' ') << text;
        EXPECT_TRUE(line.size() > static_cast<size_t>(kHelpKeyColumn) && line[kHelpKeyColumn] != ' ') << text;
    };
    for (const HelpLine& line : kSpecialControlLines) check(line.text, line.kind == HelpLineKind::Key);
    for (const HelpLine& line : kStandardControlLines) check(line.text, line.kind == HelpLineKind::Key);
    EXPECT_EQ(lines, 43);
    for (const InfoLine& line : kInfoLines) check(line.text, false);
}
