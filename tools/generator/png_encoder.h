#pragma once
// PNG encoding of Pixmaps into memory: 8 bits per channel, grey, RGB or RGBA by the pixmap's
// channel count, non-interlaced. Every setting that shapes the bytes is fixed (zlib level 6,
// the adaptive filter choice, no time or text chunks), so equal pixmaps give equal files.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/generator/pixmap.h"

// False, with the reason in `error`, for a pixmap without pixels, with a channel count other
// than 1, 3 or 4, or when libpng fails.
bool encodePng(const Pixmap& pixmap, std::vector<uint8_t>& bytes, std::string& error);
