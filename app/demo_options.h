#pragma once
// The demo's command line. Without options the demo plays as made: full screen, the 800x600
// picture scaled to the display. The options are one table, from which --help is made.

#include <optional>
#include <string>
#include <vector>

struct DemoOptions {
    bool sharp = false;     // --sharp: draw at the display's own resolution
    bool windowed = false;  // --window: a resizable window, the picture letterboxed
    bool showHelp = false;
    bool showVersion = false;
};

// The options, or nullopt with the reason in `error`.
std::optional<DemoOptions> parseDemoOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

// The --help text, made from the option table.
std::string demoUsage();
