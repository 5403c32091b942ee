#pragma once
// A table of key/value pairs read from text where each key is followed by its value in double
// quotes: `TextureFile "Textures/Sky.png"`. Keys start with a letter and go on with letters,
// digits, '_' and '.'; everything between a key and its opening quote is ignored; a value ends
// at the closing quote or the line end. No escapes, no comments, no errors: malformed text is
// only ever skipped or cut. Keys and values are cut at 255 bytes. A later key replaces an
// earlier one; keys are case-sensitive.

#include <cstdint>
#include <map>
#include <string>

#include "resources/string.h"

constexpr size_t kConfigTextLimit = 255;  // bytes of a key or a value

class ConfigFile {
public:
    // 0 on success, 1 when the file cannot be opened (the table is then left as it was).
    int32_t load(const String& name);
    void parse(const std::string& text);
    // The stored value, or `fallback` when the key is missing or its value empty.
    std::string get(const std::string& key, const std::string& fallback) const;
    void set(const std::string& key, const std::string& value);
    void clear();
    size_t size() const { return entries.size(); }

private:
    std::map<std::string, std::string> entries;
};
