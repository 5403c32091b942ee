#pragma once
// The generated data tree under one root folder. Files are named as the demo names them
// ("Textures/Sky.png", "Objects\\Scene1_27C27.rob"), relative to the root, a backslash being a
// folder's separator as in the demo; their folders are created as needed. A file is written whole
// under a temporary name and then renamed, so an interrupted run never leaves a truncated file.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

class DataTree {
public:
    explicit DataTree(std::filesystem::path root) : root(std::move(root)) {}

    // Creates the root folder when missing. False, with the folder and the reason in `error`,
    // when it cannot be created or written to.
    bool prepare(std::string& error) const;
    // False, with the file and the reason in `error`, when the file cannot be written.
    bool write(std::string_view relativePath, std::span<const uint8_t> bytes,
               std::string& error) const;
    // The same for text, written byte for byte.
    bool writeText(std::string_view relativePath, std::string_view text, std::string& error) const;
    std::filesystem::path pathOf(std::string_view relativePath) const;

private:
    std::filesystem::path root;
};
