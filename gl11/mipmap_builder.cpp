#include "gl11/mipmap_builder.h"

#include <algorithm>
#include <cstddef>

namespace {

// One end of a destination texel's box along a side, in source texels: the texel it lies in and
// how far into that texel. GLU keeps a fraction of exactly 1 rather than carrying it into the
// next texel, so a box can end at (n, 1) instead of (n + 1, 0).
struct Edge {
    int32_t texel;
    float fraction;
};

struct Box {
    Edge low;
    Edge high;
};

// GLU's box for each destination texel is the texel laid over the source, inSize / outSize
// source texels long, for shrinking and enlarging alike. It steps the boxes along by the whole
// and the fraction of that length separately and carries a fraction only once it passes 1: the
// float sums below come out as GLU's only with the boxes' ends kept the same way.
std::vector<Box> boxes(int32_t inSize, int32_t outSize) {
    const float length = static_cast<float>(inSize) / static_cast<float>(outSize);
    const int32_t whole = static_cast<int32_t>(length);
    const float fraction = length - static_cast<float>(whole);
    std::vector<Box> result;
    result.reserve(static_cast<std::size_t>(outSize));
    Edge low{0, 0.0f};
    for (int32_t i = 0; i < outSize; ++i) {
        Edge high{low.texel + whole, low.fraction + fraction};
        if (high.fraction > 1.0f) {
            high.fraction -= 1.0f;
            ++high.texel;
        }
        result.push_back({low, high});
        low = high;
    }
    return result;
}

// Each destination texel is the area-weighted mean of the source texels under its box, rounded
// down. The sum is in single precision and in GLU's order, because a mean that is a whole number
// can come out a hair below it and round down, and only the same order (and no fused
// multiply-add, which the build never contracts) gives the same bytes: for a box over two rows
// or more and two columns or more, first the bottom and then the top row texel by texel, then
// the left and right texels of each row between them as one term, then the texels inside.
class BoxFilter {
public:
    BoxFilter(int32_t components, int32_t width, int32_t height, const uint8_t* pixels)
        : components(components), width(width), height(height), pixels(pixels) {}

    // A box that ends on the image's top edge is cut back to the top row, keeping the zero share
    // it had of the row above, as GLU cuts it: when the height shrinks by a whole factor or stays,
    // the top source row drops out of the last row of texels while the mean still divides by the
    // whole box. That row comes out darker, and an image one texel tall comes out black.
    Box clampRows(Box rows) const {
        rows.high.texel = std::min(rows.high.texel, height - 1);
        return rows;
    }

    void mean(const Box& columns, const Box& rows, float area, uint8_t* texel) const {
        const int32_t left = columns.low.texel;
        const int32_t right = columns.high.texel;
        const int32_t bottom = rows.low.texel;
        const int32_t top = rows.high.texel;
        const float leftShare = 1.0f - columns.low.fraction;
        const float rightShare = columns.high.fraction;
        const float bottomShare = 1.0f - rows.low.fraction;
        const float topShare = rows.high.fraction;
        // The share of a box that lies within one column or one row.
        const float columnShare = columns.high.fraction - columns.low.fraction;
        const float rowShare = rows.high.fraction - rows.low.fraction;
        for (int32_t c = 0; c < components; ++c) {
            float sum = 0.0f;
            const auto addRow = [&](int32_t y, float share) {
                sum += at(left, y, c) * (share * leftShare);
                for (int32_t x = left + 1; x < right; ++x) {
                    sum += at(x, y, c) * share;
                }
                sum += at(right, y, c) * (share * rightShare);
            };
            if (top > bottom && right > left) {
                addRow(bottom, bottomShare);
                addRow(top, topShare);
                // GLU takes these two texels one texel further right in each row after the
                // first, so with two rows or more between the bottom and the top (a box over four
                // rows, which only a rescale to less than half the height reaches) it weighs
                // texels beside the box's edges, or at the start of the next row.
                for (int32_t y = bottom + 1; y < top; ++y) {
                    const int64_t drift = y - (bottom + 1);
                    sum +=
                        at(left + drift, y, c) * leftShare + at(right + drift, y, c) * rightShare;
                }
            } else if (top > bottom) {
                sum += at(left, bottom, c) * (bottomShare * columnShare);
                for (int32_t y = bottom + 1; y < top; ++y) {
                    sum += at(left, y, c) * columnShare;
                }
                sum += at(left, top, c) * (topShare * columnShare);
            } else if (right > left) {
                addRow(bottom, rowShare);
            } else {
                sum += at(left, bottom, c) * (rowShare * columnShare);
            }
            for (int32_t y = bottom + 1; y < top; ++y) {
                for (int32_t x = left + 1; x < right; ++x) {
                    sum += at(x, y, c);
                }
            }
            texel[c] = static_cast<uint8_t>(std::min(static_cast<int32_t>(sum / area), 255));
        }
    }

private:
    // Texels are found by their place in the buffer, as GLU finds them: a column past the right
    // edge is the start of the next row. A box that ends exactly on the right edge takes a zero
    // share of that column, which adds nothing. Past the end of the image this reads 0, where
    // GLU reads whatever memory follows it.
    float at(int64_t x, int64_t y, int32_t c) const {
        const int64_t index = y * width + x;
        if (index >= static_cast<int64_t>(width) * height) {
            return 0.0f;
        }
        return static_cast<float>(pixels[static_cast<std::size_t>(index) * components + c]);
    }

    int32_t components;
    int32_t width;
    int32_t height;
    const uint8_t* pixels;
};

std::vector<uint8_t> rescale(int32_t components, int32_t width, int32_t height,
                             const uint8_t* pixels, int32_t newWidth, int32_t newHeight) {
    const BoxFilter filter(components, width, height, pixels);
    const std::vector<Box> columns = boxes(width, newWidth);
    const std::vector<Box> rows = boxes(height, newHeight);
    const float area = (static_cast<float>(width) / static_cast<float>(newWidth)) *
                       (static_cast<float>(height) / static_cast<float>(newHeight));
    std::vector<uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight * components);
    uint8_t* texel = out.data();
    for (const Box& row : rows) {
        const Box clamped = filter.clampRows(row);
        for (const Box& column : columns) {
            filter.mean(column, clamped, area, texel);
            texel += components;
        }
    }
    return out;
}

// The next level, each side halved (a side of 1 stays 1). GLU rounds the mean of a 2x2 block
// to nearest, halves up, but truncates the mean of the pair it takes once a side is down to 1.
MipLevel halve(int32_t components, const MipLevel& level) {
    const int32_t width = std::max(level.width / 2, 1);
    const int32_t height = std::max(level.height / 2, 1);
    MipLevel next{width, height,
                  std::vector<uint8_t>(static_cast<std::size_t>(width) * height * components)};
    const auto at = [&](int32_t x, int32_t y, int32_t c) {
        return static_cast<int32_t>(
            level.pixels[(static_cast<std::size_t>(y) * level.width + x) * components + c]);
    };
    uint8_t* texel = next.pixels.data();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t c = 0; c < components; ++c) {
                int32_t value = 0;
                if (level.width > 1 && level.height > 1) {
                    value = (at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) +
                             at(2 * x, 2 * y + 1, c) + at(2 * x + 1, 2 * y + 1, c) + 2) /
                            4;
                } else if (level.width > 1) {
                    value = (at(2 * x, y, c) + at(2 * x + 1, y, c)) / 2;
                } else {
                    value = (at(x, 2 * y, c) + at(x, 2 * y + 1, c)) / 2;
                }
                *texel++ = static_cast<uint8_t>(value);
            }
        }
    }
    return next;
}

// The power of two GLU gives a side of `size` texels: the nearer of the two around it, the
// larger where `size` lies exactly between them (3 -> 4, 5 -> 4, 6 -> 8, 23 -> 16, 57 -> 64).
int64_t powerOfTwoSide(int64_t size) {
    int64_t below = 1;
    while (below * 2 <= size) {
        below *= 2;
    }
    return 2 * size >= 3 * below ? 2 * below : below;
}

}  // namespace

std::vector<MipLevel> buildMipmaps(int32_t components, int32_t width, int32_t height,
                                   const uint8_t* pixels, int32_t largestSide) {
    if ((components != 3 && components != 4) || width < 1 || height < 1 || pixels == nullptr ||
        largestSide < 1) {
        return {};
    }
    int64_t newWidth = powerOfTwoSide(width);
    int64_t newHeight = powerOfTwoSide(height);
    while (newWidth > largestSide || newHeight > largestSide) {
        newWidth = std::max<int64_t>(newWidth / 2, 1);
        newHeight = std::max<int64_t>(newHeight / 2, 1);
    }
    const auto original = [&] {
        const std::size_t size = static_cast<std::size_t>(width) * height * components;
        return MipLevel{width, height, std::vector<uint8_t>(pixels, pixels + size)};
    };
    std::vector<MipLevel> chain;
    if (newWidth * 2 == width && newHeight * 2 == height) {
        // GLU takes an image exactly twice the size it fits as one halving step, not a rescale.
        chain.push_back(halve(components, original()));
    } else if (newWidth != width || newHeight != height) {
        const auto fitWidth = static_cast<int32_t>(newWidth);
        const auto fitHeight = static_cast<int32_t>(newHeight);
        chain.push_back(
            {fitWidth, fitHeight, rescale(components, width, height, pixels, fitWidth, fitHeight)});
    } else {
        chain.push_back(original());
    }
    while (chain.back().width > 1 || chain.back().height > 1) {
        chain.push_back(halve(components, chain.back()));
    }
    return chain;
}
