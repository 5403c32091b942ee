#pragma once
// The texture table's pictures, decoded in the order of their files and handed out once each in
// that order. Where the platform has threads a second thread decodes ahead, so that one
// picture decodes while the GL thread builds the mipmaps of the ones before; the decoded
// pictures waiting hold at most kBytesAhead of pixels, unless one alone is larger. The files are
// opened in their order either way, as the data-file listener expects, and every file has been
// opened once the last picture is handed out.

#include <cstdint>
#include <memory>
#include <span>

#include "resources/data_manifest.h"
#include "resources/image.h"

// Room for the two program listings and a 2048 x 1536 picture, so that the large pictures decode
// while the first of them uploads.
constexpr int64_t kBytesAhead = 32 << 20;

struct PictureQueueState;

class PictureQueue {
public:
    // Starts decoding. The files must outlive the queue.
    explicit PictureQueue(std::span<const DataFile> files);
    PictureQueue(const PictureQueue&) = delete;
    PictureQueue& operator=(const PictureQueue&) = delete;
    // Stops decoding what is not yet decoded and waits for it.
    ~PictureQueue();

    // The next file's picture, as loadImage gives it: null where the file did not open or is
    // of no known kind, empty where it did not decode. Null too once every picture is out.
    std::unique_ptr<Image> next();

private:
    std::unique_ptr<PictureQueueState> state;
};
