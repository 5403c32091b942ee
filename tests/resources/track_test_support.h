#pragma once
// Lines of a track file, as the loaders receive them.

#include <string>

#include "resources/text_file.h"

inline Array<String> linesOf(const std::string& text) {
    return splitLines(text);
}
