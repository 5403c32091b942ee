#include "resources/picture_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "resources/image_loader.h"

struct PictureQueueState {
    std::span<const DataFile> files;
    std::mutex lock;
    std::condition_variable changed;
    // Decoded and not yet handed out, in file order.
    std::deque<std::unique_ptr<Image>> ready;
    int64_t readyBytes = 0;
    size_t handedOut = 0;
    bool stopping = false;
    std::thread decoder;
};

namespace {

int64_t bytesOf(const Image* picture) {
    return picture != nullptr ? picture->byteCount() : 0;
}

void decodeAhead(PictureQueueState& state) {
    for (const DataFile& file : state.files) {
        {
            std::unique_lock<std::mutex> guard(state.lock);
            state.changed.wait(guard, [&state] {
                return state.stopping || state.ready.empty() || state.readyBytes < kBytesAhead;
            });
            if (state.stopping) {
                return;
            }
        }
        std::unique_ptr<Image> picture = loadImage(file.name);
        {
            const std::lock_guard<std::mutex> guard(state.lock);
            state.readyBytes += bytesOf(picture.get());
            state.ready.push_back(std::move(picture));
        }
        state.changed.notify_all();
    }
}

}  // namespace

PictureQueue::PictureQueue(std::span<const DataFile> files)
    : state(std::make_unique<PictureQueueState>()) {
    state->files = files;
    try {
        state->decoder = std::thread(decodeAhead, std::ref(*state));
    } catch (const std::system_error&) {
        // No thread to be had: next() decodes each picture itself.
    }
}

PictureQueue::~PictureQueue() {
    {
        const std::lock_guard<std::mutex> guard(state->lock);
        state->stopping = true;
    }
    state->changed.notify_all();
    if (state->decoder.joinable()) {
        state->decoder.join();
    }
}

std::unique_ptr<Image> PictureQueue::next() {
    if (state->handedOut == state->files.size()) {
        return nullptr;
    }
    if (!state->decoder.joinable()) {
        return loadImage(state->files[state->handedOut++].name);
    }
    std::unique_lock<std::mutex> guard(state->lock);
    state->changed.wait(guard, [this] { return !state->ready.empty(); });
    std::unique_ptr<Image> picture = std::move(state->ready.front());
    state->ready.pop_front();
    state->readyBytes -= bytesOf(picture.get());
    ++state->handedOut;
    guard.unlock();
    state->changed.notify_all();
    return picture;
}
