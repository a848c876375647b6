// Drawing the help screen, the info screen and the title crawl.
#include "ui/help_screens.h"

#include "base/screen_view.h"
#include "ui/font_text.h"

HelpLayout helpLayout(int windowHeight) {
    const int titleY = static_cast<int>(windowHeight * 0.92);
    const int firstBlockY = static_cast<int>(titleY - 22.5);
    const int secondBlockY = static_cast<int>((firstBlockY - 270) - 4.5);
    return {titleY, firstBlockY, secondBlockY};
}

InfoLayout infoLayout(int windowWidth, int windowHeight) {
    const int x = static_cast<int>(windowWidth * 0.25);
    const int y = static_cast<int>(windowHeight * 0.95);
    return {x, y, static_cast<int>(y + (-30) * 1.4)};
}

namespace {
template <int N>
void drawBlock(FontText& helpText, const HelpLine (&lines)[N], int blockY) {
    for (const HelpLine& line : lines) {
        helpText.drawText(line.text, 30.0f, static_cast<float>(blockY + line.yOffset), 9.0f);
    }
}
}  // namespace

void drawHelpScreen(FontText& helpText, const ScreenView& screen) {
    const HelpLayout layout = helpLayout(screen.height);
    helpText.setColour(1.0f, 1.0f, 1.0f);
    helpText.drawText(kProductName, 20.0f, static_cast<float>(layout.titleY), 15.0f);
    drawBlock(helpText, kSpecialControlLines, layout.firstBlockY);
    drawBlock(helpText, kStandardControlLines, layout.secondBlockY);
}

void drawInfoScreen(FontText& helpText, const ScreenView& screen, const char* title) {
    const InfoLayout layout = infoLayout(screen.width, screen.height);
    helpText.setColour(1.0f, 1.0f, 0.0f);
    helpText.waveOn = 1;
    helpText.wobbleOn = 0;
    helpText.drawText(title, static_cast<float>(layout.x), static_cast<float>(layout.y), 30.0f);
    helpText.waveOn = 0;
    helpText.wobbleOn = 0;
    for (const InfoLine& line : kInfoLines) {
        if (line.heading)
            helpText.setColour(0.0f, 1.0f, 0.0f);
        else
            helpText.setColour(1.0f, 1.0f, 1.0f);
        helpText.drawText(line.text, static_cast<float>(layout.x + line.xOffset),
                          static_cast<float>(layout.linesY + line.yOffset), 10.0f);
    }
}

void drawTitleCrawl(FontText& titleText, const ScreenView& screen, float now) {
    if (now >= 20.0f) return;
    const float x = static_cast<float>((now - 2.0) / 15.0 * screen.width);
    titleText.drawText(kProductName, x, static_cast<float>(screen.height * 0.9), 30.0f);
}
