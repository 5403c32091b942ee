#pragma once
// The program text shown scrolling in the srcfile pictures: two listings, each exactly
// kListingLines lines of at most kListingColumns characters, so one listing fills one picture
// and repeats seamlessly when the picture tiles vertically.

#include <array>
#include <cstdint>

constexpr int32_t kListingLines = 32;
constexpr int32_t kListingColumns = 34;

using Listing = std::array<const char*, kListingLines>;

// The tunnel and its lights.
extern const Listing kTunnelListing;
// The metaballs: field, surface walk and shading.
extern const Listing kMetaballListing;
