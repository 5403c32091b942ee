#pragma once
// The program's texture table, filled once at start-up after the GL context exists: entries
// 1..16 are the pictures of the data tree (mipmapped), then the blank square RGBA render
// targets that the scenes are rendered into, the finale's blur target first and one for each
// scene after it, 512x512 at the picture's size as made, larger as the picture is
// (base/picture.h). Entries are referred to by the names below.

#include <cstdint>

#include "resources/data_manifest.h"
#include "resources/texture.h"

constexpr int32_t kImageTextureCount = static_cast<int32_t>(kPictureFiles.size());

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

// The first render target; the scenes' own follow it (app/scene_table.h).
constexpr int32_t kBlurTarget = kImageTextureCount + 1;

// Entry `number`, 1..textureCount().
Texture& textureEntry(int32_t number);
// The entries the table holds: the pictures and the render targets made so far.
int32_t textureCount();

// Loads and uploads the pictures, then makes the render targets kBlurTarget..lastTarget.
void loadTextureTable(int32_t lastTarget);
// Makes blank render targets kBlurTarget..lastTarget at the picture layout's target side,
// growing the table as needed.
void createRenderTargets(int32_t lastTarget);
// Deletes every GL texture of the table while the context is still current; the scenes'
// targets are gone until made again.
void releaseTextureTable();
