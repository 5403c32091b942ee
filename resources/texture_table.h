#pragma once
// The program's texture table, filled once at start-up after the GL context exists: entries
// 1..16 are the pictures of the data tree (mipmapped), 17..21 the blank square RGBA render
// targets that the scenes are rendered into, 512x512 at the picture's size as made, larger as
// the picture is (base/picture.h). Entries are referred to by the names below.

#include <cstdint>

#include "resources/texture.h"

constexpr int32_t kImageTextureCount = 16;
constexpr int32_t kTextureCount = 21;

// The pictures, entries 1..16, in the order of the data manifest's kPictureFiles.
constexpr int32_t kTunnelWall = 1;       // "Textures/EnvX.png"
constexpr int32_t kChromeMap = 2;        // "Textures/EnvY.png", a sphere map
constexpr int32_t kSkyTexture = 3;       // "Textures/Sky.png"
constexpr int32_t kWelcomePicture = 4;   // "Textures/Welcome.png"
constexpr int32_t kParticleTexture = 5;  // "Textures/Particle.png"
constexpr int32_t kListingA = 6;         // "Textures/srcfilea.png"
constexpr int32_t kListingB = 7;         // "Textures/srcfileb.png"
constexpr int32_t kLinesTexture = 8;     // "Textures/lines.png"
constexpr int32_t kFrameOverlay = 9;     // "Textures/frame169.png"
constexpr int32_t kClosingPicture = 10;  // "Textures/theend.png"
// 11..16 are the credit words under Textures/Text, which no frame shows.

// The render targets.
constexpr int32_t kBlurTarget = 17;
constexpr int32_t kWelcomeTarget = 18;
constexpr int32_t kDeformTarget = 19;
constexpr int32_t kTunnelTarget = 20;
constexpr int32_t kSoftfaceTarget = 21;

// Entry `number`, 1..21.
Texture& textureEntry(int32_t number);

// Loads and uploads the pictures, then creates the render targets at the picture layout's
// target side.
void loadTextureTable();
// Deletes every GL texture of the table while the context is still current.
void releaseTextureTable();
