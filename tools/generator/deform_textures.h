#pragma once
// The laboratory's pictures: twelve PNG files under Textures/xlab/, painted from fixed seeds so
// every run writes the same bytes. The demo draws most of them unlit, so light, shadow and
// ambient occlusion are painted in. Every size is a power of two; each recipe says which way its
// picture repeats, and a repeating picture meets itself without a seam. Painters return finished
// 8-bit pixmaps (RGB, or RGBA for the window), top row first.

#include <array>
#include <cstdint>
#include <string>

#include "tools/generator/data_tree.h"
#include "tools/generator/pixmap.h"

constexpr const char* kDeformFloorTexture = "Textures/xlab/floor.png";
constexpr const char* kDeformRoofTexture = "Textures/xlab/roof.png";
constexpr const char* kDeformWall1Texture = "Textures/xlab/wall1.png";
constexpr const char* kDeformWall2Texture = "Textures/xlab/wall2.png";
constexpr const char* kDeformWindowTexture = "Textures/xlab/window.png";
constexpr const char* kDeformWoodTexture = "Textures/xlab/wood.png";
constexpr const char* kDeformStoneTexture = "Textures/xlab/stone.png";
constexpr const char* kDeformHolderTexture = "Textures/xlab/holder.png";
constexpr const char* kDeformPassageTexture = "Textures/xlab/passage.png";
constexpr const char* kDeformGrateTexture = "Textures/xlab/grate.png";
constexpr const char* kDeformSlinkyTexture = "Textures/xlab/slinky.png";
constexpr const char* kDeformStrangeTexture = "Textures/xlab/strange.png";

// Which way a picture meets itself when the demo repeats it.
enum class DeformTiling { None, Horizontal, Both };

struct DeformTextureRecipe {
    const char* file;  // relative to the data tree's root
    int32_t width;     // pixels
    int32_t height;    // pixels
    int32_t channels;  // 3 RGB, 4 RGBA with straight alpha
    DeformTiling tiling;
    Pixmap (*paint)();
};

constexpr size_t kDeformTextureRecipeCount = 12;
extern const std::array<DeformTextureRecipe, kDeformTextureRecipeCount> kDeformTextureRecipes;

// Paints and writes every laboratory picture. False, with the file and reason in `error`, at the
// first failure.
bool writeDeformTextures(const DataTree& tree, std::string& error);

// Steel floor plates, 256x256 RGB, tiling; 2x2 plates per 8 world units.
Pixmap paintDeformFloor();
// Ceiling panels round one glowing light panel, 256x256 RGB, tiling; 8 world units square.
Pixmap paintDeformRoof();
// Room 1's wall, 128x512 RGB, tiling horizontally: the bottom row meets the floor, the top row
// the roof. Pale blue-grey panels with a teal band.
Pixmap paintDeformWall1();
// Room 2's wall, same layout: dark slate with an amber band and warning stripes.
Pixmap paintDeformWall2();
// A framed glass pane, 256x256 RGBA, stretched once over a pane: opaque frame, translucent glass.
Pixmap paintDeformWindow();
// Four wooden planks, 256x256 RGB, tiling.
Pixmap paintDeformWood();
// Cut stone blocks in a running bond, 256x256 RGB, tiling.
Pixmap paintDeformStone();
// Worn orange-red painted metal, 128x128 RGB, tiling.
Pixmap paintDeformHolder();
// The passage's ribbed metal with a strip light along the middle, 256x256 RGB, tiling; u along
// the passage.
Pixmap paintDeformPassage();
// Walkway grating, 8x8 cells, 128x128 RGB, tiling.
Pixmap paintDeformGrate();
// The glowing spring, 128x128 RGB, tiling: bright hues changing along u (once per turn of the
// coil) and a soft highlight running along u at one height of v; no dark areas.
Pixmap paintDeformSlinky();
// Iridescent oil-slick swirls over a dark base, 128x128 RGB, tiling.
Pixmap paintDeformStrange();
