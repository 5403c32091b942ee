#include "resources/picture_queue.h"

#include "resources/image_loader.h"

// Without threads each picture is decoded when it is asked for.
struct PictureQueueState {
    std::span<const DataFile> files;
    size_t handedOut = 0;
};

PictureQueue::PictureQueue(std::span<const DataFile> files)
    : state(std::make_unique<PictureQueueState>(PictureQueueState{files, 0})) {}

PictureQueue::~PictureQueue() = default;

std::unique_ptr<Image> PictureQueue::next() {
    if (state->handedOut == state->files.size()) {
        return nullptr;
    }
    return loadImage(state->files[state->handedOut++].name);
}
