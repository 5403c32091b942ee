#pragma once
// Text as coverage masks, through FreeType with one font file per renderer. Strings are UTF-8;
// glyphs are hinted and placed on whole pixels, so the same font file gives the same coverage
// everywhere. Sizes are pixel heights of the em square; positions are pixels, y down, with the
// pen on the baseline. A renderer that failed to load draws and measures nothing.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/generator/raster.h"

struct TextStyle {
    int32_t pixelHeight = 32;  // pixels per em
    int32_t tracking = 0;      // pixels added after every glyph but the last
};

struct TextMetrics {
    int32_t advance = 0;    // pixels from the start pen position to the end one
    int32_t ascender = 0;   // pixels above the baseline of the font's tallest glyphs
    int32_t descender = 0;  // pixels below the baseline of its deepest ones, >= 0
    // Ink bounds relative to the start pen position, [left, right) x [top, bottom); all 0 when
    // the string has no ink.
    int32_t inkLeft = 0;
    int32_t inkTop = 0;
    int32_t inkRight = 0;
    int32_t inkBottom = 0;
};

class TextRenderer {
public:
    TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;
    ~TextRenderer();

    // Loads the font file at `path`. False, with the file and the reason in `error`, when it is
    // missing, unreadable or not a font.
    bool load(const std::string& path, std::string& error);
    bool loaded() const { return face != nullptr; }

    TextMetrics measure(std::string_view text, TextStyle style);
    // Draws with the pen starting at (x, baseline), keeping the max of the glyph coverage and
    // what the mask holds; clipped to the mask.
    void draw(Mask& mask, std::string_view text, TextStyle style, int32_t x, int32_t baseline);
    // A mask just holding the string's ink with `padding` empty pixels on every side.
    Mask render(std::string_view text, TextStyle style, int32_t padding);

private:
    // Walks the glyphs of `text`; for each, calls visit(pen x, glyph slot).
    template <typename Visit>
    void layout(std::string_view text, TextStyle style, Visit&& visit);

    struct FT_LibraryRec_* library = nullptr;
    struct FT_FaceRec_* face = nullptr;
};
