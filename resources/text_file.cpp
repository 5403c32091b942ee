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

namespace {

// Where the line that starts at `at` ends: after its LF, or after kLineCapacity - 1 characters.
size_t lineEnd(const std::string& text, size_t at) {
    size_t end = at;
    while (end < text.size() && end - at < kLineCapacity - 1) {
        if (text[end++] == '\n') {
            break;
        }
    }
    return end;
}

}  // namespace

Array<String> splitLines(const std::string& text) {
    uint32_t count = 0;
    for (size_t at = 0; at < text.size(); at = lineEnd(text, at)) {
        ++count;
    }
    Array<String> lines;
    lines.resize(count);
    // A line is read as a C string, so an embedded NUL ends it.
    char line[kLineCapacity];
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t end = lineEnd(text, at);
        text.copy(line, end - at, at);
        line[end - at] = '\0';
        lines[i] = line;
        at = end;
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
