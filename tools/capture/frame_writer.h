#pragma once
// Writes captured frames as numbered PNG files: frame_000000.png, frame_000001.png, ...

#include <cstdint>
#include <string>
#include <vector>

class FrameWriter {
public:
    explicit FrameWriter(std::string directory) : directory(std::move(directory)) {}

    // Creates the directory when missing. False, with the reason in `error`, when it cannot be
    // created or written to.
    bool prepare(std::string& error);
    // RGB pixels, top row first. False, with the reason in `error`, when the file cannot be
    // written.
    bool write(int64_t index, const std::vector<uint8_t>& rgb, int32_t width, int32_t height,
               std::string& error) const;
    std::string framePath(int64_t index) const;

private:
    std::string directory;
};

// Writes one RGB picture, top row first, as a PNG file.
bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width,
              int32_t height, std::string& error);
