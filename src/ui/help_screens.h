// The keyboard help screen, the info screen and the title crawl: text layers of the 2-D overlay,
// drawn in window pixels (y up) with the text objects handed in.
#pragma once

class FontText;
class ScreenView;

enum class HelpLineKind {
    Heading,  // the first line of a block
    Key,      // a key or button in columns 0..15, what it does from column 16 on
    Note,     // the separator, the credits and the way back
};

struct HelpLine {
    int yOffset;  // below the first line of its block
    HelpLineKind kind;
    const char* text;  // monospaced: the leading and trailing blanks keep the columns
};

inline constexpr const char* kProductName = "Rampix";
inline constexpr int kHelpKeyColumn = 16;

// The first block, below the title at y = firstBlockY + yOffset.
inline constexpr HelpLine kSpecialControlLines[] = {
    {0, HelpLineKind::Heading, "Special Controls for this (32 bitcolor) simulation:"},
    {-15, HelpLineKind::Key, "   <LeftButton> Kick Forward"},
    {-30, HelpLineKind::Key, " <MiddleButton> Apply Brakes"},
    {-45, HelpLineKind::Key, "`/<RightButton> Toggle Current Popup Menu"},
    {-60, HelpLineKind::Key, "    <Home/End>  Adjust Height/Depth"},
    {-75, HelpLineKind::Key, "             i  Images: Toggle Available Textures"},
    {-90, HelpLineKind::Key, "             o  Options: Toggle Bump Options"},
    {-105, HelpLineKind::Key, "    <MouseX/Y>  Rotate LookAt Direction"},
    {-120, HelpLineKind::Key, "     <Up/Down>  Move Forward/Back, precede with <Alt> for 10x)"},
    {-135, HelpLineKind::Key, "  <Left/Right>  Move Left/Right"},
    {-150, HelpLineKind::Key, "       <F1/F2>  Adjust Motion Damping (Brake/Drag)"},
    {-165, HelpLineKind::Key, "       <F3/F4>  Adjust Texture Magnification"},
    {-180, HelpLineKind::Key, "       <F5/F6>  Adjust Fog Start Distance"},
    {-195, HelpLineKind::Key, "       <F7/F8>  Adjust Fog End Distance"},
    {-210, HelpLineKind::Key, "      <F9/F10>  Adjust Bump Response Timing"},
    {-225, HelpLineKind::Key, "     <F11/F12>  Adjust Screen Fade Effect (0-1)"},
    {-240, HelpLineKind::Key, "     <control>  Convert ArrowKey x/z to x/y temporarily"},
    {-255, HelpLineKind::Key, "         <alt>  Enable 10x Thrust, <alt>+Arrows"},
};

// The second block, at y = secondBlockY + yOffset.
inline constexpr HelpLine kStandardControlLines[] = {
    {0, HelpLineKind::Heading, "Standard Controls in most simulations where applicable:"},
    {-15, HelpLineKind::Key, "  unshifted -+  Adjust Universe Rotate Speed"},
    {-30, HelpLineKind::Key, "    shift   ()  Adjust Light Rotate Speed"},
    {-45, HelpLineKind::Key, "  unshifted <>  Adjust Screen Magnification"},
    {-60, HelpLineKind::Key, "    shift   {}  Adjust Closeness (Camera Z)"},
    {-75, HelpLineKind::Key, "    shift   <>  Adjust Tesselation"},
    {-90, HelpLineKind::Key, "             c  Clock: Toggle Frame-Per-Seconds"},
    {-105, HelpLineKind::Key, "             f  FullScreen/Window Toggle"},
    {-120, HelpLineKind::Key, "             l  Letterbox: Adjust Size 0-6"},
    {-135, HelpLineKind::Key, "             p  Pause: Toggle On/Off"},
    {-150, HelpLineKind::Key, "    <ESC> or q  EXIT after fade, hit twice for quick exit"},
    {-165, HelpLineKind::Key, "             r  Reset/Randomize all parameters              "},
    {-180, HelpLineKind::Key, "             s  Spotlite: Toggle On-Off"},
    {-195, HelpLineKind::Key, "             t  Texture:  Toggle On-Off"},
    {-210, HelpLineKind::Key, "             u  Universe: Toggle Stars On/Off"},
    {-225, HelpLineKind::Key, "             v  View: Toggle Camera Movement: Auto/Manual/Hold"},
    {-240, HelpLineKind::Key, "             w  Wireframe/Points/Polygon Mode Toggle"},
    {-255, HelpLineKind::Key, "     shift   !  Save Preferences"},
    {-270, HelpLineKind::Key, "     shift   @  Load Preferences"},
    {-285, HelpLineKind::Key, "       <SPACE>  Toggle Hyperspace (non-blanking)"},
    {-300, HelpLineKind::Note, "   -------------------------------------------------------- "},
    {-315, HelpLineKind::Note, "   Rampix: a heightmap skatepark by the Rampix developers"},
    {-330, HelpLineKind::Note, "   Ride, tinker, share your preference files, and have fun!"},
    {-345, HelpLineKind::Note, "   <?> to return"},
};

// Info screen lines at (x + xOffset, linesY + yOffset); headings are green, the rest white.
struct InfoLine {
    int xOffset;
    int yOffset;
    int heading;
    const char* text;
};

inline constexpr InfoLine kInfoLines[] = {
    {10, 0, 1, "Basics:"},
    {30, -30, 0, "A virtual skatepark, using a heightmap"},
    {30, -60, 0, "Adjustable thrust and drag/friction"},
    {30, -90, 0, "Adjustable bump/hill response timing, and feature height/depth"},
    {30, -120, 0, "Customizable with ~30 adjustable parameters, savable in preference file"},
    {30, -150, 0, "To Brighten: toggle Spotlight 'S', DepthCueFog 'D' or adjust Ambient"},
    {10, -190, 1, "Controls:"},
    {30, -220, 0, "ArrowKeys move you in Manual view ('V'); <Ctrl>+Up/Down move vertically"},
    {30, -250, 0, "Click <LeftMouseButton> to kick forward (ArrowKeys are better)"},
    {30, -280, 0, "Click <MiddleMouseButton> to apply brake"},
    {30, -310, 0, "Click <RightMouseButton> to toggle the current popup menu"},
    {30, -340, 0, "Select Popups or 'P' to pause"},
    {30, -370, 0, "Press '?' for more info on keyboard controls"},
};

// Line positions for a window height: the title, and the first line of each block. The screen is laid
// out for tall windows; on lower ones its end lies below the window.
struct HelpLayout {
    int titleY;
    int firstBlockY;
    int secondBlockY;
};
HelpLayout helpLayout(int windowHeight);

// The title's place, and the y of the "Basics:" line that the other lines hang from.
struct InfoLayout {
    int x;
    int y;
    int linesY;
};
InfoLayout infoLayout(int windowWidth, int windowHeight);

void drawHelpScreen(FontText& helpText, const ScreenView& screen);
// Leaves helpText white, with wave and wobble off.
void drawInfoScreen(FontText& helpText, const ScreenView& screen, const char* title);
// The product name crossing the top of the screen, drawn only during the first 20 s of game time.
void drawTitleCrawl(FontText& titleText, const ScreenView& screen, float now);
