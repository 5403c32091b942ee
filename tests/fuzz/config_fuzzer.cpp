// Any text at all as a key/value file: parsing must end, and no key or value may grow past
// its 255-byte limit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "resources/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConfigFile config;
    config.parse(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* key : {"ObjectFile", "TextureFile", "AnimationMode", "A"}) {
        if (config.get(key, "").size() > kConfigTextLimit) {
            std::abort();
        }
    }
    return 0;
}
