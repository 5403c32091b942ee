#include "resources/stream.h"

bool Stream::write(const void*, int32_t) {
    return false;
}

bool Stream::read(void*, int32_t) {
    return false;
}

bool Stream::seek(int32_t, int32_t) {
    return false;
}

int32_t Stream::tell() {
    return -1;
}
