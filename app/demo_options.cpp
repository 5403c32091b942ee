#include "app/demo_options.h"

#include <algorithm>

namespace {

struct DemoOptionSpec {
    const char* name;
    const char* help;
    bool DemoOptions::*flag;
};

// clang-format off
const DemoOptionSpec kDemoOptions[] = {
    {"--sharp", "draw at the display's own resolution: the largest 4:3 area, every scene\n"
                "picture and line scaled with it, instead of 800x600 scaled up",
     &DemoOptions::sharp},
    {"--window", "play in a resizable window, the picture letterboxed, the cursor shown",
     &DemoOptions::windowed},
    {"--help", "show this text", &DemoOptions::showHelp},
    {"--version", "show the version", &DemoOptions::showVersion},
};
// clang-format on

}  // namespace

std::optional<DemoOptions> parseDemoOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
    DemoOptions options;
    for (const std::string& argument : arguments) {
        const DemoOptionSpec* found = nullptr;
        for (const DemoOptionSpec& option : kDemoOptions) {
            if (argument == option.name ||
                (argument == "-h" && option.flag == &DemoOptions::showHelp)) {
                found = &option;
            }
        }
        if (found == nullptr) {
            error = argument.rfind("-", 0) == 0 ? "unknown option " + argument
                                                : "unexpected argument '" + argument + "'";
            return std::nullopt;
        }
        options.*(found->flag) = true;
    }
    return options;
}

std::string demoUsage() {
    std::string text =
        "usage: zentrox [options]\n"
        "Plays the Zentrox demo, full screen, from the data tree in the working directory;\n"
        "Escape ends it.\n";
    for (const DemoOptionSpec& option : kDemoOptions) {
        std::string head = std::string("  ") + option.name;
        head.resize(std::max<size_t>(head.size() + 1, 14), ' ');
        std::string help = option.help;
        for (size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1)) {
            help.insert(at + 1, std::string(14, ' '));
        }
        text += head + help + "\n";
    }
    return text;
}
