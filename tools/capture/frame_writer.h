#pragma once
// Writes captured frames as numbered PNG files, frame_000000.png, frame_000001.png, ..., on
// worker threads, so that frames are compressed while the next ones render. Each file is
// written under a hidden name and renamed into place once whole, so a frame file is never
// half-written, whatever stops the capture.
// Frames are compressed fast (tools/png/png_encoder.h), as quickly as they render.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The file beside the frames that names the renderer which drew them, as one line: frames
// of different renderers differ in their pixels, so whoever puts them together can check.
inline constexpr const char* kRendererFile = "renderer.txt";

class FrameWriter {
public:
    // `workers` threads, at least one, compress the frames.
    FrameWriter(std::string directory, int32_t workers);
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;
    // Waits for the frames still queued.
    ~FrameWriter();

    // Creates the directory when missing and starts the workers. False, with the reason in
    // `error`, when it cannot be created or written to.
    bool prepare(std::string& error);
    // Queues one frame of RGB pixels, top row first; waits while the workers are two frames
    // each behind. False, with the first failure in `error`, once any frame failed.
    bool write(int64_t index, std::vector<uint8_t> rgb, int32_t width, int32_t height,
               std::string& error);
    // Waits until every queued frame is written. False, with the first failure in `error`.
    bool finish(std::string& error);
    std::string framePath(int64_t index) const;
    // Writes the renderer's name to kRendererFile in the directory, whole or not at all. False,
    // with the file and the reason in `error`.
    bool recordRenderer(const std::string& renderer, std::string& error) const;

private:
    struct Job {
        int64_t index;
        std::vector<uint8_t> rgb;
        int32_t width;
        int32_t height;
    };

    void work();
    void stopWorkers();

    std::string directory;
    int32_t workerCount;
    std::vector<std::thread> workers;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Job> queue;
    int32_t busy = 0;  // jobs taken by a worker and not yet done
    bool stopping = false;
    std::string failure;  // the first write that failed
};

// Writes one RGB picture, top row first, as a PNG file, straight to `path`. False, with the
// file and the reason in `error`.
bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width,
              int32_t height, std::string& error);
