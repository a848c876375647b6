// The help screen on "?", the info screen from the main menu's "Info" toggle, and the menu's "Quit",
// all with real keys and clicks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/e2e_helpers.h"
#include "ui/dialog_menus.h"
#include "ui/help_screens.h"

namespace {
// The band of one text line: glyphs are centred on the line's y and advance 0.9 sizes a character.
Area lineBand(const char* text, int x, int overlayY, double size) {
    const int length = static_cast<int>(std::strlen(text));
    int first = 0, last = length - 1;
    while (first < length && text[first] == ' ') ++first;
    while (last > first && text[last] == ' ') --last;
    const double advance = size * 0.9;
    const int row = screenRow(overlayY);
    return {static_cast<int>(x + first * advance - size / 2), row - 3,
            static_cast<int>(x + last * advance + size / 2 + 3), row + 4};
}

// Text pixels that one screenshot has in a band and the other does not.
int newTextPixels(const Screenshot& without, const Screenshot& with, const Area& band) {
    return findColour(with, band, isWhiteText).count - findColour(without, band, isWhiteText).count;
}

bool isYellow(const Screenshot::Rgb& c) {
    return c.r >= 200 && c.g >= 200 && c.b <= 80;
}

Area widgetArea(int menuNumber, int id) {
    const MenuWidget w = menuWidget(menuNumber, id);
    return {static_cast<int>(w.left), screenRow(w.lower + w.height), static_cast<int>(w.left + w.width),
            screenRow(w.lower) + 1};
}
}  // namespace

TEST(Overlays, HelpKeyAndInfoToggleShowTheirScreensAndQuitEndsTheProgram) {
    ParkRun run;
    ASSERT_TRUE(writePrefsFile(run.prefsPath(), stillParkPrefs()));
    ASSERT_TRUE(run.start());
    const Area helpColumn{0, kPictureArea.y0, kScreenWidth / 2, kScreenHeight};

    const Screenshot park = waitForSteadyPicture(run.x, kPictureArea, 20, 5000);
    run.x.type("?");
    const Screenshot help = waitForChange(run.x, park, helpColumn, 2000, 4000);
    const HelpLayout layout = helpLayout(kScreenHeight);
    int linesShown = 0, lines = 0;
    for (const HelpLine& line : kSpecialControlLines) {
        ++lines;
        linesShown +=
            newTextPixels(park, help, lineBand(line.text, 30, layout.firstBlockY + line.yOffset, 9)) >= 15;
    }
    for (const HelpLine& line : kStandardControlLines) {
        if (std::strspn(line.text, " -") == std::strlen(line.text)) continue;  // the faint dashed rule
        ++lines;
        linesShown +=
            newTextPixels(park, help, lineBand(line.text, 30, layout.secondBlockY + line.yOffset, 9)) >= 15;
    }
    EXPECT_EQ(linesShown, lines) << "every help line in its place";

    run.x.type("?");
    waitForChange(run.x, help, helpColumn, 2000, 4000);
    const Screenshot helpGone = waitForSteadyPicture(run.x, kPictureArea, 20, 5000);
    EXPECT_LE(changedPixels(park, helpGone, kPictureArea), 20) << "the second ? hides the help screen";

    clickAt(run.x, {500, 500}, 3);
    const Screenshot menu = waitForChange(run.x, helpGone, kPictureArea, 2000, 4000);
    for (int id : {0, 3, 1, 2, 80, 99}) {
        const Area widget = widgetArea(kMainMenu, id);
        EXPECT_GT(changedPixels(helpGone, menu, widget), widget.pixels() / 5) << "main menu widget " << id;
    }

    clickAt(run.x, menuWidget(kMainMenu, 80).centre());
    const Screenshot info =
        waitForChange(run.x, menu, Area{kScreenWidth / 4, 0, kScreenWidth, kScreenHeight}, 2000, 4000);
    const InfoLayout place = infoLayout(kScreenWidth, kScreenHeight);
    int infoShown = 0, infoLines = 0;
    for (const InfoLine& line : kInfoLines) {
        if (line.heading) continue;
        ++infoLines;
        infoShown +=
            newTextPixels(menu, info,
                          lineBand(line.text, place.x + line.xOffset, place.linesY + line.yOffset, 10)) >= 15;
    }
    EXPECT_EQ(infoShown, infoLines) << "every info line in its place";
    const Area infoTitle{place.x - 20, 0, place.x + 200, screenRow(place.y - 40)};
    EXPECT_GT(findColour(info, infoTitle, isYellow).count, 50) << "the yellow title";

    clickAt(run.x, menuWidget(kMainMenu, 80).centre());
    const Screenshot infoGone =
        waitForChange(run.x, info, Area{kScreenWidth / 4, 0, kScreenWidth, kScreenHeight}, 2000, 4000);
    // Below the title crawl, which moves on its own.
    const Area infoLinesArea{place.x, kPictureArea.y0, kScreenWidth, kScreenHeight};
    EXPECT_LE(changedPixels(menu, infoGone, infoLinesArea), 20) << "a second click hides the info screen";

    clickAt(run.x, menuWidget(kMainMenu, 99).centre());
    EXPECT_TRUE(run.endsCleanly()) << "\"Quit\" ends the program";
}
