#pragma once
// A program's command line as one table of options, from which both the parser and the --help
// text are made, so the two cannot disagree. Each row names the option, the word its value is
// shown as (null for a flag), its help (lines split by '\n') and what it sets.

#include <algorithm>
#include <span>
#include <string>
#include <vector>

template <typename Options>
struct OptionSpec {
    const char* name;      // "--fps"
    const char* argument;  // "N", or null for a flag
    const char* help;
    // Sets the option from its value (empty for a flag); false with the reason in `error`.
    bool (*apply)(Options& options, const std::string& value, std::string& error);
};

// The row of `name`, with "-h" standing for "--help"; null when the table has none.
template <typename Options>
const OptionSpec<Options>* findOption(std::span<const OptionSpec<Options>> table,
                                      const std::string& name) {
    for (const OptionSpec<Options>& option : table) {
        if (name == option.name || (name == "-h" && std::string(option.name) == "--help")) {
            return &option;
        }
    }
    return nullptr;
}

// Applies every option in `arguments` to `options`; what is not an option is kept, in order,
// in `operands`. False, with the reason in `error`, for an unknown option, a missing value or
// a value its row refuses.
template <typename Options>
bool applyOptions(std::span<const OptionSpec<Options>> table,
                  const std::vector<std::string>& arguments, Options& options,
                  std::vector<std::string>& operands, std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        const OptionSpec<Options>* option = findOption(table, name);
        if (option == nullptr) {
            if (name.rfind("-", 0) == 0) {
                error = "unknown option " + name;
                return false;
            }
            operands.push_back(name);
            continue;
        }
        std::string value;
        if (option->argument != nullptr) {
            if (i + 1 >= arguments.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = arguments[++i];
        }
        if (!option->apply(options, value, error)) {
            return false;
        }
    }
    return true;
}

// One line per option, "  --name ARG" padded to `column` and its help beside it, each further
// help line indented to the same column.
template <typename Options>
std::string describeOptions(std::span<const OptionSpec<Options>> table, size_t column) {
    std::string text;
    for (const OptionSpec<Options>& option : table) {
        std::string head = std::string("  ") + option.name;
        if (option.argument != nullptr) {
            head += std::string(" ") + option.argument;
        }
        head.resize(std::max(head.size() + 1, column), ' ');
        std::string help = option.help;
        for (size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1)) {
            help.insert(at + 1, std::string(column, ' '));
        }
        text += head + help + "\n";
    }
    return text;
}
