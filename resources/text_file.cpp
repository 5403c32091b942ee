#include "resources/text_file.h"

#include <vector>

#include "resources/data_file.h"

bool readTextFile(const String& name, std::string& text) {
    text.clear();
    std::vector<uint8_t> bytes;
    const FileRead read = readDataFile(name, kMaxTextBytes, bytes);
    if (read == FileRead::Unopenable) {
        return false;
    }
    if (read == FileRead::TooLarge) {
        return true;  // read as an empty file
    }
    text.assign(bytes.begin(), bytes.end());
    // Text mode as on Windows: a CR right before an LF is dropped.
    std::string translated;
    translated.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        translated.push_back(text[i]);
    }
    text.swap(translated);
    return true;
}

Array<String> splitLines(const std::string& text) {
    Array<String> lines;
    std::vector<String> collected;
    size_t at = 0;
    while (at < text.size()) {
        // At most 255 characters, up to and including an LF.
        size_t end = at;
        while (end < text.size() && end - at < kLineCapacity - 1) {
            if (text[end++] == '\n') {
                break;
            }
        }
        collected.emplace_back(std::string(text, at, end - at).c_str());
        at = end;
    }
    lines.resize(static_cast<uint32_t>(collected.size()));
    for (size_t i = 0; i < collected.size(); ++i) {
        lines[static_cast<uint32_t>(i)] = collected[i];
    }
    return lines;
}

bool readTextLines(const String& name, Array<String>& lines) {
    std::string text;
    if (!readTextFile(name, text)) {
        lines.resize(0);
        return false;
    }
    lines = splitLines(text);
    return true;
}
