#pragma once
// The program's texture table, filled once at start-up after the GL context exists: entries
// 1..16 are the pictures of the data tree (mipmapped), 17..21 the blank square RGBA render
// targets that the scenes are rendered into, 512x512 at the picture's size as made, larger as
// the picture is (base/picture.h). Entries are referred to by number.

#include <array>
#include <cstdint>

#include "resources/texture.h"

constexpr int32_t kImageTextureCount = 16;
constexpr int32_t kTextureCount = 21;

// Render-target entry numbers.
constexpr int32_t kBlurTarget = 17;
constexpr int32_t kWelcomeTarget = 18;
constexpr int32_t kDeformTarget = 19;
constexpr int32_t kTunnelTarget = 20;
constexpr int32_t kSoftfaceTarget = 21;

// The files of entries 1..16, in entry order.
extern const std::array<const char*, kImageTextureCount> kTextureFiles;

// Entry `number`, 1..21.
Texture& textureEntry(int32_t number);

// Loads and uploads the pictures, then creates the render targets at the picture layout's
// target side.
void loadTextureTable();
// Deletes every GL texture of the table while the context is still current.
void releaseTextureTable();
