#include "tools/capture/frame_writer.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

bool FrameWriter::prepare(std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        error = "cannot create " + directory + ": " + code.message();
        return false;
    }
    if (!std::filesystem::is_directory(directory, code)) {
        error = directory + " is not a directory";
        return false;
    }
    if (access(directory.c_str(), W_OK) != 0) {
        error = "cannot write to " + directory + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string FrameWriter::framePath(int64_t index) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(index));
    return (std::filesystem::path(directory) / name).string();
}

bool FrameWriter::write(int64_t index, const std::vector<uint8_t>& rgb, int32_t width,
                        int32_t height, std::string& error) const {
    return writePng(framePath(index), rgb, width, height, error);
}

bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width,
              int32_t height, std::string& error) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        error = "cannot write " + path + ": the picture has no pixels";
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr) == 0) {
        error = "cannot write " + path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}
