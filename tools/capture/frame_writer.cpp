#include "tools/capture/frame_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "base/file_handle.h"
#include "tools/png/png_encoder.h"

namespace {

std::string hiddenBeside(const std::string& path) {
    const std::filesystem::path file(path);
    std::string name = ".";
    name += file.filename().string();
    name += ".partial";
    return (file.parent_path() / name).string();
}

}  // namespace

FrameWriter::FrameWriter(std::string directory, int32_t workers)
    : directory(std::move(directory)), workerCount(workers < 1 ? 1 : workers) {}

FrameWriter::~FrameWriter() {
    stopWorkers();
}

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
    for (int32_t i = 0; i < workerCount; ++i) {
        workers.emplace_back([this] { work(); });
    }
    return true;
}

std::string FrameWriter::framePath(int64_t index) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(index));
    return (std::filesystem::path(directory) / name).string();
}

bool FrameWriter::recordRenderer(const std::string& renderer, std::string& error) const {
    const std::string path = (std::filesystem::path(directory) / kRendererFile).string();
    const std::string partial = hiddenBeside(path);
    FileHandle file(std::fopen(partial.c_str(), "wb"));
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::string line = renderer + "\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                         std::fflush(file.get()) == 0;
    const int writeError = errno;
    file.reset();
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : writeError);
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

bool FrameWriter::write(int64_t index, std::vector<uint8_t> rgb, int32_t width, int32_t height,
                        std::string& error) {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] {
        return !failure.empty() || queue.size() < 2 * static_cast<size_t>(workerCount);
    });
    if (!failure.empty()) {
        error = failure;
        return false;
    }
    queue.push_back({index, std::move(rgb), width, height});
    changed.notify_all();
    return true;
}

bool FrameWriter::finish(std::string& error) {
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [this] { return queue.empty() && busy == 0; });
    }
    stopWorkers();
    if (!failure.empty()) {
        error = failure;
        return false;
    }
    return true;
}

void FrameWriter::work() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return stopping || !queue.empty(); });
        if (queue.empty()) {
            return;
        }
        const Job job = std::move(queue.front());
        queue.pop_front();
        ++busy;
        guard.unlock();
        std::string error;
        const bool written = writePng(framePath(job.index), job.rgb, job.width, job.height, error);
        guard.lock();
        --busy;
        if (!written && failure.empty()) {
            failure = error;
            queue.clear();
        }
        changed.notify_all();
    }
}

void FrameWriter::stopWorkers() {
    {
        const std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
    workers.clear();
}

bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width,
              int32_t height, std::string& error) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        error = "cannot write " + path + ": the picture has no pixels";
        return false;
    }
    std::vector<uint8_t> png;
    std::string failed;
    if (!encodePng({rgb.data(), rgb.size(), width, height, 3}, PngCompression::Fast, png, failed)) {
        error = "cannot write " + path + ": " + failed;
        return false;
    }
    const std::string partial = hiddenBeside(path);
    FileHandle file(std::fopen(partial.c_str(), "wb"));
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file.get()) == png.size() &&
                         std::fflush(file.get()) == 0 && !std::ferror(file.get());
    const int writeError = errno;
    file.reset();
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : writeError);
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
