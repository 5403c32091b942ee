#include "tools/generator/text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The next code point of a UTF-8 string, advancing `i`; a broken sequence reads as '?'.
char32_t nextCodePoint(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i++);
    if (lead < 0x80) {
        return lead;
    }
    const int32_t extra = lead >= 0xf0 ? 3 : (lead >= 0xe0 ? 2 : (lead >= 0xc0 ? 1 : -1));
    if (extra < 0 || i + static_cast<size_t>(extra) > text.size()) {
        return U'?';
    }
    char32_t code = lead & (0x3f >> extra);
    for (int32_t k = 0; k < extra; ++k) {
        code = (code << 6) | (byte(i++) & 0x3fu);
    }
    return code;
}

// Why a file cannot be opened, in the system's words, or empty when it can.
std::string unreadableReason(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    std::fclose(file);
    return {};
}

}  // namespace

TextRenderer::TextRenderer() = default;

TextRenderer::~TextRenderer() {
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    if (library != nullptr) {
        FT_Done_FreeType(library);
    }
}

bool TextRenderer::load(const std::string& path, std::string& error) {
    const std::string reason = unreadableReason(path);
    if (!reason.empty()) {
        error = "cannot read font file " + path + ": " + reason;
        return false;
    }
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        error = "cannot start FreeType to read " + path;
        return false;
    }
    FT_Face loadedFace = nullptr;
    const FT_Error code = FT_New_Face(library, path.c_str(), 0, &loadedFace);
    if (code != 0) {
        error = "cannot read font file " + path + ": not a font FreeType can read (error " +
                std::to_string(code) + ")";
        return false;
    }
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    face = loadedFace;
    return true;
}

template <typename Visit>
void TextRenderer::layout(std::string_view text, TextStyle style, Visit&& visit) {
    if (face == nullptr || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.pixelHeight))) {
        return;
    }
    const bool kerning = FT_HAS_KERNING(face);
    FT_Pos pen = 0;  // 26.6 fixed point pixels
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        const FT_UInt glyph = FT_Get_Char_Index(face, nextCodePoint(text, i));
        if (kerning && previous != 0 && glyph != 0) {
            FT_Vector delta{};
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &delta);
            pen += delta.x;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) == 0) {
            visit(static_cast<int32_t>((pen + 32) >> 6), face->glyph);
            pen += face->glyph->advance.x;
        }
        if (i < text.size()) {
            pen += static_cast<FT_Pos>(style.tracking) * 64;
        }
        previous = glyph;
    }
    visit(static_cast<int32_t>((pen + 32) >> 6), nullptr);
}

TextMetrics TextRenderer::measure(std::string_view text, TextStyle style) {
    TextMetrics metrics;
    bool inked = false;
    layout(text, style, [&](int32_t penX, FT_GlyphSlot slot) {
        if (slot == nullptr) {
            metrics.advance = penX;
            return;
        }
        const int32_t width = static_cast<int32_t>(slot->bitmap.width);
        const int32_t rows = static_cast<int32_t>(slot->bitmap.rows);
        if (width == 0 || rows == 0) {
            return;
        }
        const int32_t left = penX + slot->bitmap_left;
        const int32_t top = -slot->bitmap_top;
        metrics.inkLeft = inked ? std::min(metrics.inkLeft, left) : left;
        metrics.inkTop = inked ? std::min(metrics.inkTop, top) : top;
        metrics.inkRight = inked ? std::max(metrics.inkRight, left + width) : left + width;
        metrics.inkBottom = inked ? std::max(metrics.inkBottom, top + rows) : top + rows;
        inked = true;
    });
    if (face != nullptr) {
        metrics.ascender = static_cast<int32_t>((face->size->metrics.ascender + 32) >> 6);
        metrics.descender = static_cast<int32_t>((-face->size->metrics.descender + 32) >> 6);
    }
    return metrics;
}

void TextRenderer::draw(Mask& mask, std::string_view text, TextStyle style, int32_t x,
                        int32_t baseline) {
    layout(text, style, [&](int32_t penX, FT_GlyphSlot slot) {
        if (slot == nullptr || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
            return;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        const int32_t left = x + penX + slot->bitmap_left;
        const int32_t top = baseline - slot->bitmap_top;
        const float scale = 1.0f / static_cast<float>(bitmap.num_grays - 1);
        for (int32_t row = 0; row < static_cast<int32_t>(bitmap.rows); ++row) {
            const int32_t y = top + row;
            if (y < 0 || y >= mask.height) {
                continue;
            }
            const uint8_t* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            for (int32_t column = 0; column < static_cast<int32_t>(bitmap.width); ++column) {
                const int32_t px = left + column;
                if (px >= 0 && px < mask.width) {
                    float& cell = mask.at(px, y);
                    cell = std::max(cell, static_cast<float>(source[column]) * scale);
                }
            }
        }
    });
}

Mask TextRenderer::render(std::string_view text, TextStyle style, int32_t padding) {
    const TextMetrics metrics = measure(text, style);
    Mask mask(metrics.inkRight - metrics.inkLeft + 2 * padding,
              metrics.inkBottom - metrics.inkTop + 2 * padding);
    draw(mask, text, style, padding - metrics.inkLeft, padding - metrics.inkTop);
    return mask;
}
