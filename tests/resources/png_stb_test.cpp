#include "resources/png_stb.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "resources/image.h"
#include "resources/png_decoding.h"
#include "resources/png_libpng.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

const fs::path kSuite = fs::path(ZENTROX_TEST_DATA) / "pngsuite";

Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> pngFilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".png") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Both decoders on one file. Where libpng decodes it, stb_image's path must give the same
// image; where libpng refuses, stb_image's path may do either but must leave no half-made
// image behind. Empty when that holds, else what went wrong.
std::string disagreement(const Bytes& file, bool* libpngAccepted = nullptr) {
    Image expected;
    Image actual;
    const bool byLibpng = decodePngWithLibpng(file.data(), file.size(), expected);
    const bool byStb = decodePngWithStb(file.data(), file.size(), actual);
    if (libpngAccepted != nullptr) {
        *libpngAccepted = byLibpng;
    }
    if (!byStb) {
        if (actual.data != nullptr || actual.width != 0 || actual.components != 0) {
            return "refused but left an image";
        }
        return byLibpng ? "refused what libpng decodes" : "";
    }
    if (actual.data == nullptr || actual.components < 1 || actual.components > 4) {
        return "decoded to an inconsistent image";
    }
    if (!byLibpng) {
        return "";
    }
    if (actual.width != expected.width || actual.height != expected.height ||
        actual.components != expected.components) {
        return "decoded " + std::to_string(actual.width) + "x" + std::to_string(actual.height) +
               "x" + std::to_string(actual.components) + ", libpng " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height) + "x" +
               std::to_string(expected.components);
    }
    int64_t differing = 0;
    for (int64_t i = 0; i < expected.byteCount(); ++i) {
        differing += expected.data[i] != actual.data[i] ? 1 : 0;
    }
    return differing == 0 ? "" : std::to_string(differing) + " bytes differ from libpng's";
}

// Expects agreement and, so that a case cannot pass by being refused by both, that libpng
// decodes the file.
void expectSamePicture(const Bytes& file) {
    bool libpngAccepted = false;
    EXPECT_EQ(disagreement(file, &libpngAccepted), "");
    EXPECT_TRUE(libpngAccepted);
}

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// PNG files written chunk by chunk, in any order and with any damage, unlike libpng's writer.
struct PngWriter {
    Bytes bytes = {137, 80, 78, 71, 13, 10, 26, 10};

    PngWriter& chunk(const char* type, const Bytes& data, bool damaged = false) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<uint8_t>(data.size() >> shift));
        }
        const size_t typeAt = bytes.size();
        bytes.insert(bytes.end(), type, type + 4);
        bytes.insert(bytes.end(), data.begin(), data.end());
        uint32_t crc = static_cast<uint32_t>(
            crc32(0, bytes.data() + typeAt, static_cast<uInt>(data.size() + 4)));
        crc ^= damaged ? 1 : 0;
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<uint8_t>(crc >> shift));
        }
        return *this;
    }
    PngWriter& header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType,
                      uint8_t interlace = 0) {
        Bytes data;
        for (const uint32_t side : {width, height}) {
            for (int shift = 24; shift >= 0; shift -= 8) {
                data.push_back(static_cast<uint8_t>(side >> shift));
            }
        }
        data.insert(data.end(), {depth, colourType, 0, 0, interlace});
        return chunk("IHDR", data);
    }
    // Raw rows (each with its filter byte), deflated into one IDAT chunk.
    PngWriter& rows(const Bytes& raw) {
        Bytes packed(compressBound(static_cast<uLong>(raw.size())));
        uLongf size = static_cast<uLongf>(packed.size());
        compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
        packed.resize(size);
        return chunk("IDAT", packed);
    }
    PngWriter& gamma(uint32_t value, bool damaged = false) {
        return chunk("gAMA",
                     {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                      static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)},
                     damaged);
    }
    PngWriter& srgb(uint8_t intent) { return chunk("sRGB", {intent}); }
    Bytes end() {
        chunk("IEND", {});
        return bytes;
    }
};

// Unfiltered rows of `rowBytes` bytes, each byte pattern(row, byte).
template <typename Pattern>
Bytes rawRows(uint32_t rowCount, size_t rowBytes, Pattern pattern) {
    Bytes raw;
    for (uint32_t y = 0; y < rowCount; ++y) {
        raw.push_back(0);
        for (size_t x = 0; x < rowBytes; ++x) {
            raw.push_back(pattern(y, x));
        }
    }
    return raw;
}

// 16 x 16 grey pixels holding every 8-bit value once.
Bytes greyRamp() {
    return rawRows(16, 16, [](uint32_t y, size_t x) { return static_cast<uint8_t>(y * 16 + x); });
}

PngWriter greyFile() {
    return PngWriter{}.header(16, 16, 8, 0);
}

// 16 x 16 RGB pixels.
Bytes rgbRamp() {
    return rawRows(16, 48, [](uint32_t y, size_t x) { return static_cast<uint8_t>(y * 48 + x); });
}

PngWriter rgbFile() {
    return PngWriter{}.header(16, 16, 8, 2);
}

// 16 x 4 palette indices of this bit depth, varied enough to reach past a short palette.
Bytes paletteRows(uint8_t depth) {
    return rawRows(4, size_t{16} * depth / 8,
                   [](uint32_t y, size_t x) { return static_cast<uint8_t>((y * 16 + x) * 37); });
}

Bytes paletteOf(uint32_t entries) {
    Bytes palette;
    for (uint32_t i = 0; i < 3 * entries; ++i) {
        palette.push_back(static_cast<uint8_t>(i * 7 + 40));
    }
    return palette;
}

TEST(PngStbAgainstLibpng, EveryFileOfTheSuite) {
    // libpng refuses the grey-with-alpha files (basn4a08, basn4a16, basi4a08, basi4a16,
    // bgai4a08, bgai4a16, bgbn4a08, bggn4a16), as the demo wants, and the 14 corrupt x files: a
    // signature broken by text-mode conversion or a changed byte (xcrn0g04, xlfn0g04, xs1n0g01,
    // xs2n0g01, xs4n0g01, xs7n0g01), a colour type of 1 or 9 (xc1n0g08, xc9n2c08), a bit depth
    // of 0, 3 or 99 (xd0n2c08, xd3n2c08, xd9n2c08), no IDAT (xdtn0g01), a damaged IDAT or IHDR
    // CRC (xcsn0g01, xhdn0g08). The stb_image path refuses every one of them too; stb_image
    // alone would take the two with damaged CRCs, which it never checks.
    int decoded = 0;
    int refused = 0;
    for (const fs::path& path : pngFilesUnder(kSuite)) {
        SCOPED_TRACE(path.filename().string());
        const Bytes file = readBytes(path);
        bool libpngAccepted = false;
        EXPECT_EQ(disagreement(file, &libpngAccepted), "");
        if (libpngAccepted) {
            ++decoded;
        } else {
            Image image;
            EXPECT_FALSE(decodePngWithStb(file.data(), file.size(), image));
            ++refused;
        }
    }
    EXPECT_EQ(decoded, 153);
    EXPECT_EQ(refused, 22);
}

TEST(PngStbAgainstLibpng, EveryPictureOfTheDataTree) {
    const std::vector<fs::path> files = pngFilesUnder(ZENTROX_GENERATED_DATA);
    EXPECT_GT(files.size(), 20u);
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.string());
        expectSamePicture(readBytes(path));
    }
}

// The gAMA values of the suite, the edges of libpng's 5% threshold (on the product of file and
// display gamma, and for 8-bit files again on its reciprocal), the ends of the valid range,
// the values from 128.0 on that png_set_gamma reads as already scaled, and a sweep between.
std::vector<uint32_t> gammasToTry() {
    std::set<uint32_t> gammas = {16, 17, 100, 1000, 12799999, 12800000, 20000000, 625000000};
    for (const fs::path& path : pngFilesUnder(kSuite)) {
        const Bytes file = readBytes(path);
        for (size_t at = 8; at + 16 <= file.size(); at += 12 + bigEndian(&file[at])) {
            if (std::memcmp(&file[at + 4], "gAMA", 4) == 0) {
                gammas.insert(bigEndian(&file[at + 8]));
            }
        }
    }
    for (uint32_t edge : {43182u, 47727u, 47847u}) {
        for (uint32_t gamma = edge - 12; gamma <= edge + 12; ++gamma) {
            gammas.insert(gamma);
        }
    }
    for (uint32_t gamma = 2000; gamma <= 400000; gamma += 1999) {
        gammas.insert(gamma);
    }
    return {gammas.begin(), gammas.end()};
}

TEST(PngStbAgainstLibpng, GammaCorrectionOfEverySampleValue) {
    // Every 8-bit and every 16-bit grey value, under each gamma: libpng corrects through
    // tables of its own rounding (a 16-bit table keyed by a sample's top 11 bits).
    const Bytes eightBit = greyRamp();
    const Bytes sixteenBit = rawRows(256, 512, [](uint32_t y, size_t x) {
        return static_cast<uint8_t>(x % 2 == 0 ? y : x / 2);
    });
    const std::vector<uint32_t> gammas = gammasToTry();
    EXPECT_GT(gammas.size(), 250u);
    for (const uint32_t gamma : gammas) {
        SCOPED_TRACE(gamma);
        expectSamePicture(greyFile().gamma(gamma).rows(eightBit).end());
        expectSamePicture(PngWriter{}.header(256, 256, 16, 0).gamma(gamma).rows(sixteenBit).end());
    }
}

TEST(PngStbAgainstLibpng, ColourSpaceChunksCountAsLibpngCountsThem) {
    const Bytes rows = greyRamp();
    const Bytes palette = paletteOf(4);
    // A linear file, corrected, unless sRGB says otherwise or the gAMA is spoilt or misplaced.
    expectSamePicture(greyFile().gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().gamma(100000).srgb(0).rows(rows).end());
    expectSamePicture(greyFile().srgb(0).gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().gamma(100000).srgb(4).rows(rows).end());  // intent unknown
    expectSamePicture(greyFile().srgb(4).gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().srgb(0).srgb(0).gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().gamma(100000).srgb(0).srgb(0).rows(rows).end());
    expectSamePicture(greyFile().gamma(100000).gamma(50000).rows(rows).end());  // the first counts
    expectSamePicture(greyFile().gamma(15).gamma(100000).rows(rows).end());     // out of range
    expectSamePicture(greyFile().gamma(625000001).rows(rows).end());
    expectSamePicture(greyFile().gamma(100000, true).gamma(70000).rows(rows).end());  // bad CRC
    expectSamePicture(greyFile().chunk("gAMA", {0, 1, 134}).rows(rows).end());
    expectSamePicture(greyFile().chunk("sRGB", {0, 0}).gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().chunk("PLTE", palette).gamma(100000).rows(rows).end());
    expectSamePicture(greyFile().rows(rows).gamma(100000).end());  // after the rows
    expectSamePicture(rgbFile().chunk("PLTE", palette).gamma(100000).rows(rgbRamp()).end());
    expectSamePicture(rgbFile().gamma(100000).chunk("PLTE", palette).rows(rgbRamp()).end());
}

TEST(PngStbAgainstLibpng, TransparencyChunksCountAsLibpngCountsThem) {
    const Bytes rows = greyRamp();
    const Bytes rgbRows = rgbRamp();
    expectSamePicture(greyFile().chunk("tRNS", {0, 16}).rows(rows).end());
    expectSamePicture(greyFile().chunk("tRNS", {1, 16}).rows(rows).end());  // only 8 bits count
    expectSamePicture(greyFile().chunk("tRNS", {0, 16}).chunk("tRNS", {0, 32}).rows(rows).end());
    expectSamePicture(
        greyFile().chunk("tRNS", {0, 16}, true).chunk("tRNS", {0, 32}).rows(rows).end());
    expectSamePicture(greyFile().chunk("tRNS", {0, 16, 0}).rows(rows).end());
    expectSamePicture(greyFile().rows(rows).chunk("tRNS", {0, 16}).end());
    expectSamePicture(rgbFile().chunk("tRNS", {0, 16, 0, 17, 0, 18}).rows(rgbRows).end());
    expectSamePicture(rgbFile().chunk("tRNS", {0, 16}).rows(rgbRows).end());
    // tRNS before a PLTE is cancelled by it.
    expectSamePicture(rgbFile()
                          .chunk("tRNS", {0, 16, 0, 17, 0, 18})
                          .chunk("PLTE", paletteOf(3))
                          .rows(rgbRows)
                          .end());
    expectSamePicture(
        PngWriter{}
            .header(16, 1, 8, 6)
            .chunk("tRNS", {0, 16, 0, 17, 0, 18})
            .rows(rawRows(1, 64, [](uint32_t, size_t x) { return static_cast<uint8_t>(x); }))
            .end());
    for (const uint8_t depth : {1, 2, 4}) {
        SCOPED_TRACE(static_cast<int>(depth));
        const Bytes lowBitRows = paletteRows(depth);
        // Grey: libpng compares only the bits a sample has, whatever the chunk holds.
        for (const uint32_t value : {0u, 1u, 3u, 15u, 16u, 19u, 255u, 257u, 65535u}) {
            SCOPED_TRACE(value);
            expectSamePicture(
                PngWriter{}
                    .header(16, 4, depth, 0)
                    .chunk("tRNS", {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)})
                    .rows(lowBitRows)
                    .end());
        }
    }
}

TEST(PngStbAgainstLibpng, PalettesAsLibpngKeepsThem) {
    for (const uint8_t depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(static_cast<int>(depth));
        const uint32_t entries = 1u << depth;
        const Bytes rows = paletteRows(depth);
        const auto file = [depth] { return PngWriter{}.header(16, 4, depth, 3); };
        expectSamePicture(file().chunk("PLTE", paletteOf(entries)).rows(rows).end());
        // Indices past a short palette are black.
        expectSamePicture(file().chunk("PLTE", paletteOf(1)).rows(rows).end());
        expectSamePicture(file().chunk("PLTE", paletteOf(1)).chunk("tRNS", {128}).rows(rows).end());
        // A palette longer than the depth can index is cut, and a tRNS past the cut ignored.
        const uint32_t longer = std::min(entries + 1, 256u);
        expectSamePicture(file()
                              .chunk("PLTE", paletteOf(longer))
                              .chunk("tRNS", Bytes(longer, 7))
                              .rows(rows)
                              .end());
        expectSamePicture(
            file().chunk("tRNS", {128}).chunk("PLTE", paletteOf(entries)).rows(rows).end());
        expectSamePicture(
            file().chunk("PLTE", paletteOf(entries)).chunk("tRNS", {}).rows(rows).end());
        // Gamma corrects the palette, never its alpha.
        expectSamePicture(file()
                              .gamma(70000)
                              .chunk("PLTE", paletteOf(entries))
                              .chunk("tRNS", {0, 90, 255})
                              .rows(rows)
                              .end());
        expectSamePicture(file().chunk("PLTE", paletteOf(entries)).gamma(70000).rows(rows).end());
    }
}

TEST(PngStbAgainstLibpng, LibpngOnlyChecksWhatFollowsTheRowsForDamage) {
    const Bytes rows = greyRamp();
    expectSamePicture(greyFile().rows(rows).chunk("ABCD", {1, 2, 3}).end());
    expectSamePicture(greyFile().rows(rows).chunk("tEXt", {'a', 0, 'b'}).rows({1, 2, 3}).end());
    expectSamePicture(greyFile().chunk("tEXt", {'a', 0, 'b'}, true).rows(rows).end());
    expectSamePicture(
        PngWriter{}.chunk("tEXt", {'a', 0, 'b'}).header(16, 16, 8, 0).rows(rows).end());
    Bytes trailing = greyFile().rows(rows).end();
    trailing.insert(trailing.end(), {'m', 'o', 'r', 'e'});
    expectSamePicture(trailing);
    // Surplus data in the stream after the rows.
    Bytes surplus = rows;
    surplus.resize(rows.size() + 100000, 9);
    expectSamePicture(greyFile().rows(surplus).end());

    for (const Bytes& refused : {
             greyFile().chunk("ABCD", {1, 2, 3}).rows(rows).end(),        // unknown critical chunk
             greyFile().rows(rows).chunk("IEND", {}, true).end(),         // damaged critical CRC
             greyFile().rows(rows).header(16, 16, 8, 0).end(),            // a second IHDR
             greyFile().chunk("t1Xt", {'a'}).rows(rows).end(),            // not a chunk name
             PngWriter{}.header(16, 4, 8, 3).rows(paletteRows(8)).end(),  // no palette
         }) {
        Image image;
        EXPECT_FALSE(decodePngWithLibpng(refused.data(), refused.size(), image));
        EXPECT_EQ(disagreement(refused), "");
    }
}

// Files of the suite, one of each kind: grey, palette, interlaced, 16-bit, with tRNS.
const char* const kVariedFiles[] = {"basn0g01.png", "basi3p02.png", "basn2c08.png",
                                    "basi6a16.png", "tbbn0g04.png", "tbrn2c08.png"};

TEST(PngStbBadInput, TruncatedFilesFail) {
    for (const char* name : kVariedFiles) {
        SCOPED_TRACE(name);
        const Bytes file = readBytes(kSuite / name);
        for (size_t length = 0; length + 12 < file.size(); length += 3) {
            const Bytes cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(length));
            Image image;
            EXPECT_FALSE(decodePngWithStb(cut.data(), cut.size(), image)) << length;
            EXPECT_EQ(image.data, nullptr);
        }
    }
}

// Flips bits all through a file, then mends the CRCs so that the damage reaches the decoders.
// NOTE: the decoders may part here: libpng decodes a file whose stream breaks only after the
// rows it needs (a warning), stb_image inflates the whole stream first and refuses it.
TEST(PngStbBadInput, DamagedFilesFailOrDecodeWithinBounds) {
    int decoded = 0;
    int refused = 0;
    for (const char* name : kVariedFiles) {
        SCOPED_TRACE(name);
        const Bytes file = readBytes(kSuite / name);
        for (size_t at = 8; at < file.size(); ++at) {
            Bytes damaged = file;
            damaged[at] ^= static_cast<uint8_t>(1u << (at % 8));
            for (size_t chunk = 8; chunk + 12 <= damaged.size();) {
                const size_t length = bigEndian(&damaged[chunk]);
                if (length > damaged.size() - chunk - 12) {
                    break;
                }
                const uint32_t crc = static_cast<uint32_t>(
                    crc32(0, &damaged[chunk + 4], static_cast<uInt>(length + 4)));
                for (int i = 0; i < 4; ++i) {
                    damaged[chunk + 8 + length + static_cast<size_t>(i)] =
                        static_cast<uint8_t>(crc >> (24 - 8 * i));
                }
                chunk += 12 + length;
            }
            Image image;
            if (decodePngWithStb(damaged.data(), damaged.size(), image)) {
                ASSERT_NE(image.data, nullptr);
                ASSERT_GE(image.components, 1);
                ASSERT_LE(image.components, 4);
                ++decoded;
            } else {
                ASSERT_EQ(image.data, nullptr) << at;
                ++refused;
            }
        }
    }
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

// A valid black picture of one-bit grey pixels: a few kilobytes that decode to a byte a pixel.
Bytes blackBits(uint32_t width, uint32_t height) {
    return PngWriter{}
        .header(width, height, 1, 0)
        .rows(Bytes(static_cast<size_t>((width + 7) / 8 + 1) * height, 0))
        .end();
}

TEST(PngStbBadInput, TheSameLimitsAsLibpng) {
    const Bytes bomb = blackBits(16384, 16384);        // 34 KB of file, 256 MiB of pixels
    const Bytes over = blackBits(4096, 4097);          // one row over the pixel budget
    const Bytes wide = blackBits(kMaxPngSide + 1, 1);  // within the budget, too wide
    for (const Bytes* refused : {&bomb, &over, &wide}) {
        Image image;
        EXPECT_FALSE(decodePngWithStb(refused->data(), refused->size(), image));
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(disagreement(*refused), "");
    }
    expectSamePicture(blackBits(8192, 2048));
    expectSamePicture(blackBits(kMaxPngSide, 1));
}

// NOTE: the one place the decoders part by design: stb_image holds a file's whole inflated
// stream, so a stream that inflates to far more than its picture and a full-budget grey
// picture is refused, where libpng reads the rows and passes over the rest.
TEST(PngStbBadInput, AStreamInflatingFarPastItsRowsIsRefused) {
    Bytes rows = greyRamp();
    rows.resize(kMaxImagePixels + 4096, 0);
    const Bytes file = greyFile().rows(rows).end();
    ASSERT_LT(file.size(), 64u * 1024);
    Image image;
    EXPECT_TRUE(decodePngWithLibpng(file.data(), file.size(), image));
    EXPECT_FALSE(decodePngWithStb(file.data(), file.size(), image));
    EXPECT_EQ(image.data, nullptr);
}

}  // namespace
