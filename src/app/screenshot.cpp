// Taking the frame as a picture file.
#include "app/screenshot.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "app/globals.h"
#include "app/ride_recording.h"
#include "base/file_places.h"
#include "textures/png_file.h"

namespace {
bool asked = false;

bool makeFolder(const std::string& path, std::string& why) {
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
    why = path + ": " + std::strerror(errno);
    return false;
}

// Where the picture goes, its folders made; "" with the reason when that cannot be.
std::string pictureFile(std::string& why) {
    const std::string pictures = picturesFolder();
    if (pictures.empty()) return why = "no home folder", "";
    const std::string folder = pictures + "/Rampix";
    if (!makeFolder(pictures, why) || !makeFolder(folder, why)) return "";
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::string path = folder + "/" + stamp + ".png";
    struct stat info;
    for (int n = 2; stat(path.c_str(), &info) == 0 && n < 100; ++n)
        path = folder + "/" + stamp + "-" + std::to_string(n) + ".png";
    return path;
}

// The line for the status line, the home folder shortened to "~" and a long path to its end.
std::string savedLine(const std::string& path) {
    const std::string home = homeFolder();
    std::string shown = !home.empty() && path.compare(0, home.size() + 1, home + "/") == 0
                            ? "~" + path.substr(home.size())
                            : path;
    const std::string start = "Saved ";
    if (start.size() + shown.size() > 79) shown = "..." + shown.substr(shown.size() - (76 - start.size()));
    return start + shown;
}

// The picture's file, or "" with the reason.
std::string savePicture(std::string& why) {
    const std::string path = pictureFile(why);
    if (path.empty()) return "";
    std::vector<uint8_t> pixels(static_cast<size_t>(Screen.width) * static_cast<size_t>(Screen.height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Screen.width, Screen.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    why = writePngFile(path, pixels.data(), Screen.width, Screen.height);
    return why.empty() ? path : "";
}
}  // namespace

void requestScreenshot() {
    asked = true;
}

void takeScreenshotIfAsked() {
    if (!asked) return;
    asked = false;
    std::string line = "Could NOT Save Picture";
    int status = 1;
    if (rideTakesScreenshots()) {
        std::string why;
        const std::string path = savePicture(why);
        if (!path.empty()) {
            line = savedLine(path);
            status = 0;
            std::printf("Saved picture %s\n", path.c_str());
        } else {
            std::fprintf(stderr, "rampix: could NOT save the picture: %s\n", why.c_str());
        }
    }
    StatusLine.setText(rideScreenshotLine(line, status).c_str());
}
