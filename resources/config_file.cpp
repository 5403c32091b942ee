#include "resources/config_file.h"

#include "resources/text_file.h"

namespace {

// ASCII only, whatever the locale: bytes above 0x7F are never letters.
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isKeyCharacter(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.';
}

}  // namespace

int32_t ConfigFile::load(const String& name) {
    std::string text;
    if (!readTextFile(name, text)) {
        return 1;
    }
    parse(text);
    return 0;
}

void ConfigFile::parse(const std::string& text) {
    const size_t end = text.size();
    size_t p = 0;
    while (p < end) {
        while (p < end && !isLetter(text[p])) {
            ++p;
        }
        std::string key;
        while (p < end && isKeyCharacter(text[p])) {
            if (key.size() < kConfigTextLimit) {
                key.push_back(text[p]);
            }
            ++p;
        }
        while (p < end && text[p] != '"') {
            ++p;
        }
        if (p < end) {
            ++p;  // the opening quote
        }
        std::string value;
        bool cut = false;  // a NUL ends the value's characters, as in a C buffer
        while (p < end && text[p] != '"' && text[p] != '\n') {
            cut = cut || text[p] == '\0';
            if (!cut && value.size() < kConfigTextLimit) {
                value.push_back(text[p]);
            }
            ++p;
        }
        if (!key.empty()) {
            set(key, value);
        }
    }
}

std::string ConfigFile::get(const std::string& key, const std::string& fallback) const {
    const auto found = entries.find(key);
    if (found == entries.end() || found->second.empty()) {
        return fallback;
    }
    return found->second;
}

void ConfigFile::set(const std::string& key, const std::string& value) {
    entries[key] = value;
}

void ConfigFile::clear() {
    entries.clear();
}
