#include "ui/help_screens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

TEST(HelpScreens, LayoutFromTheWindowSizeAndLinesThatFitTheirColumns) {
    const HelpLayout tall = helpLayout(600), low = helpLayout(200);
    const InfoLayout info = infoLayout(1024, 768);
    const int lastOffset = kStandardControlLines[std::size(kStandardControlLines) - 1].yOffset;
    // The second block of a low window starts below it; divisions truncate towards zero.
    EXPECT_EQ(
        (std::vector<int>{tall.titleY, tall.firstBlockY, tall.secondBlockY, tall.secondBlockY + lastOffset,
                          low.titleY, low.firstBlockY, low.secondBlockY, info.x, info.y, info.linesY}),
        (std::vector<int>{552, 529, 254, -91, 184, 161, -113, 256, 729, 687}));
    const auto check = [](const char* text, bool key) {
        EXPECT_LT(std::strlen(text), 80u) << text;
        const std::string line = text, column = line.substr(0, kHelpKeyColumn);
        EXPECT_TRUE(!key ||
                    (column.find_first_not_of(' ') != std::string::npos && column.back() == ' ' &&
                     line.size() > static_cast<size_t>(kHelpKeyColumn) && line[kHelpKeyColumn] != ' '))
            << text;
    };
    for (const HelpLine& line : kSpecialControlLines) check(line.text, line.kind == HelpLineKind::Key);
    for (const HelpLine& line : kStandardControlLines) check(line.text, line.kind == HelpLineKind::Key);
    for (const InfoLine& line : kInfoLines) check(line.text, false);
}
