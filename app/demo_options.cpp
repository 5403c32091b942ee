#include "app/demo_options.h"

#include "base/option_table.h"

namespace {

// Every option of the demo is a flag that switches one field on.
template <bool DemoOptions::*flag>
bool setFlag(DemoOptions& options, const std::string&, std::string&) {
    options.*flag = true;
    return true;
}

// clang-format off
const OptionSpec<DemoOptions> kDemoOptions[] = {
    {"--sharp", nullptr, "draw at the display's own resolution: the largest 4:3 area, every scene\n"
                         "picture and line scaled with it, instead of 800x600 scaled up",
     setFlag<&DemoOptions::sharp>},
    {"--window", nullptr, "play in a resizable window, the picture letterboxed, the cursor shown",
     setFlag<&DemoOptions::windowed>},
    {"--help", nullptr, "show this text", setFlag<&DemoOptions::showHelp>},
    {"--version", nullptr, "show the version", setFlag<&DemoOptions::showVersion>},
};
// clang-format on

}  // namespace

std::optional<DemoOptions> parseDemoOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
    DemoOptions options;
    std::vector<std::string> operands;
    if (!applyOptions<DemoOptions>(kDemoOptions, arguments, options, operands, error)) {
        return std::nullopt;
    }
    if (!operands.empty()) {
        error = "unexpected argument '" + operands.front() + "'";
        return std::nullopt;
    }
    return options;
}

std::string demoUsage() {
    return "usage: zentrox [options]\n"
           "Plays the Zentrox demo, full screen, from the data tree in the working directory;\n"
           "Escape ends it.\n" +
           describeOptions<DemoOptions>(kDemoOptions, 14);
}
