// Any bytes at all through the PNG decoder: it must fail or succeed without reading or
// writing outside its buffers, and a success must hold a consistent picture.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "resources/memory_stream.h"
#include "resources/png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    PNG image;
    if (image.load(stream)) {
        if (image.data == nullptr || image.components < 1 || image.components > 4) {
            std::abort();
        }
        // Touch every byte so the sanitizer sees the whole buffer.
        volatile uint8_t sum = 0;
        for (int64_t i = 0; i < image.byteCount(); ++i) {
            sum = sum + image.data[i];
        }
    }
    return 0;
}
