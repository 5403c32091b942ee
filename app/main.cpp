// The demo: one full-screen window, the scenes in time with the music for 190 seconds, and an
// orderly shutdown on Escape, on a close request or at the end of the timeline. Options may
// draw the picture at the display's own size or play in a window; without them it plays as
// made.

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/demo_options.h"
#include "app/player.h"
#include "base/version.h"

int main(int argc, char** argv) {
    std::string error;
    const std::optional<DemoOptions> options =
        parseDemoOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "zentrox: %s\n%s", error.c_str(), demoUsage().c_str());
        return 2;
    }
    if (options->showHelp || options->showVersion) {
        std::fputs(options->showHelp ? demoUsage().c_str() : versionLine("zentrox").c_str(),
                   stdout);
        return 0;
    }
    Player player;
    player.start(*options, static_cast<uint32_t>(std::time(nullptr)));
    while (player.frame()) {
    }
    player.stop();
    return 0;
}
