// The frame rate of the real program on the same ride every run: the stored ride played with
// --timedemo (unpaced, on the ride's own clock) full-screen in a private Xvfb at each screen size.
//   timedemo_bench [ride file] [width height ...]
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/rampix_process.h"
#include "support/x_session.h"

int main(int argc, char** argv) {
    // The game runs in a scratch folder: the ride's path must not depend on this one.
    const std::string ride =
        std::filesystem::absolute(argc > 1 ? argv[1] : RAMPIX_SOURCE_DIR "/tests/data/rides/park_tour.ride");
    std::vector<int> sizes = {1024, 768, 1920, 1080};
    if (argc > 3) sizes.clear();
    for (int i = 2; i + 1 < argc; i += 2)
        sizes.insert(sizes.end(), {std::stoi(argv[i]), std::stoi(argv[i + 1])});
    for (size_t s = 0; s + 1 < sizes.size(); s += 2) {
        XSession x(sizes[s], sizes[s + 1]);
        ScratchFolder folder;
        RampixProcess game(x.displayName(), folder.path(), {}, "", {"--timedemo", ride});
        const int status = game.waitForExit(300000);
        const std::string output = game.output();
        const size_t line = output.find("Timedemo: ");
        std::printf(
            "%d x %d: %s", sizes[s], sizes[s + 1],
            line == std::string::npos || status != 0
                ? ("no figures (exit status " + std::to_string(status) + ")\n" + game.errors()).c_str()
                : output.substr(line).c_str());
    }
    return 0;
}
