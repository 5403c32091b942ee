#include "resources/png_chunks.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

uint32_t continueCrc(uint32_t crc, const uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        crc = kCrcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >> 8);
    }
    return crc;
}

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

constexpr uint32_t chunkType(const char (&name)[5]) {
    return (uint32_t{static_cast<uint8_t>(name[0])} << 24) |
           (uint32_t{static_cast<uint8_t>(name[1])} << 16) |
           (uint32_t{static_cast<uint8_t>(name[2])} << 8) | static_cast<uint8_t>(name[3]);
}

constexpr uint32_t kIHDR = chunkType("IHDR");
constexpr uint32_t kPLTE = chunkType("PLTE");
constexpr uint32_t kIDAT = chunkType("IDAT");
constexpr uint32_t kIEND = chunkType("IEND");
constexpr uint32_t kTRNS = chunkType("tRNS");
constexpr uint32_t kGAMA = chunkType("gAMA");
constexpr uint32_t kSRGB = chunkType("sRGB");

constexpr uint32_t kMaxPngNumber = 0x7fffffff;  // lengths and sides are 31-bit
constexpr uint8_t kPalette = 3;
constexpr uint8_t kColourBit = 2;

bool isLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Lower case first letter (bit 5 of its byte): a chunk a decoder may skip.
bool isAncillary(uint32_t type) {
    return (type & 0x20000000u) != 0;
}

// The combinations png_check_IHDR allows.
bool validHeader(const PngChunks& chunks, const uint8_t* data) {
    const uint8_t compression = data[10];
    const uint8_t filter = data[11];
    const uint8_t interlace = data[12];
    if (chunks.width == 0 || chunks.width > kMaxPngNumber || chunks.height == 0 ||
        chunks.height > kMaxPngNumber || compression != 0 || filter != 0 || interlace > 1) {
        return false;
    }
    const uint8_t depth = chunks.bitDepth;
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) {
        return false;
    }
    switch (chunks.colourType) {
        case 0:
            return true;
        case kPalette:
            return depth <= 8;
        case 2:
        case 4:
        case 6:
            return depth >= 8;
        default:
            return false;
    }
}

// What libpng's colour-space code makes of gAMA and sRGB chunks (png_colorspace_set_gamma and
// png_colorspace_set_sRGB, read back by png_get_gAMA and png_get_sRGB). A second gAMA or sRGB, a
// gamma out of range or an unknown rendering intent spoils the colour space: the sRGB chunk no
// longer counts and later chunks are passed over, but a gamma already taken stays. A gAMA
// disagreeing with an earlier sRGB is passed over; an sRGB chunk brings sRGB's gamma.
struct ColourSpace {
    bool spoilt = false;
    bool haveGamma = false;
    bool gammaFromChunk = false;
    bool srgb = false;
    uint32_t gamma = 0;

    void takeGamma(uint32_t value) {
        if (value < 16 || value > 625000000 || gammaFromChunk) {
            spoilt = true;
            return;
        }
        if (spoilt) {
            return;
        }
        // Only an sRGB chunk can have set a gamma by now; it stays unless this one is within
        // 5% of it.
        if (haveGamma && !closeToOne(static_cast<double>(gamma) * 100000 / value)) {
            return;
        }
        gamma = value;
        haveGamma = true;
        gammaFromChunk = true;
    }

    void takeSrgb(uint8_t intent) {
        if (spoilt) {
            return;
        }
        if (srgb || intent > 3) {
            spoilt = true;
            return;
        }
        srgb = true;
        haveGamma = true;
        gamma = 45455;
    }

    // libpng's png_gamma_significant, the other way round, on a ratio rounded to 1 / 100000.
    static bool closeToOne(double ratio) {
        const double rounded = static_cast<double>(static_cast<int64_t>(ratio + 0.5));
        return rounded >= 95000 && rounded <= 105000;
    }
};

// The chunks libpng acts on before the rows: its png_handle_* functions' checks, in their
// order. After the first run of IDAT chunks libpng only checks what follows for damage and
// looks for IEND (png_read_end without an info struct).
struct Reader {
    PngChunks& chunks;
    ColourSpace space;
    bool haveHeader = false;
    bool havePalette = false;       // a PLTE chunk was seen, whatever the colour type
    bool transparencySeen = false;  // a usable tRNS was seen, even if a PLTE cancelled it
    bool haveRows = false;
    bool afterRows = false;  // some other chunk followed the first IDAT run

    // Handles one chunk whose bytes are all in the file; false to refuse the file.
    bool take(uint32_t type, const uint8_t* data, uint32_t length, bool crcGood, size_t begin,
              size_t end);
    bool takeHeader(const uint8_t* data, uint32_t length);
    bool takePalette(const uint8_t* data, uint32_t length);
    void takeTransparency(const uint8_t* data, uint32_t length);
};

bool Reader::takeHeader(const uint8_t* data, uint32_t length) {
    if (haveHeader || length != 13) {
        return false;
    }
    haveHeader = true;
    chunks.width = bigEndian(data);
    chunks.height = bigEndian(data + 4);
    chunks.bitDepth = data[8];
    chunks.colourType = data[9];
    chunks.interlaced = data[12] == 1;
    return validHeader(chunks, data);
}

bool Reader::takePalette(const uint8_t* data, uint32_t length) {
    if (havePalette) {
        return false;  // a second PLTE stops libpng
    }
    havePalette = true;
    if ((chunks.colourType & kColourBit) == 0) {
        return true;  // ignored in a grey file
    }
    const bool palette = chunks.colourType == kPalette;
    if (length > 3 * 256 || length % 3 != 0) {
        return !palette;
    }
    const uint32_t entries = length / 3;
    if (entries == 0) {
        return false;  // libpng refuses an empty palette whatever the colour type
    }
    if (palette) {
        const uint32_t indexable = 1u << chunks.bitDepth;
        chunks.palette = data;
        chunks.paletteEntries = entries < indexable ? entries : indexable;
    }
    // tRNS must follow PLTE: an earlier one is cancelled, and still blocks a later one.
    chunks.transparency = nullptr;
    chunks.transparencyBytes = 0;
    return true;
}

void Reader::takeTransparency(const uint8_t* data, uint32_t length) {
    if (transparencySeen) {
        return;
    }
    bool usable = false;
    switch (chunks.colourType) {
        case 0:
            usable = length == 2;
            break;
        case 2:
            usable = length == 6;
            break;
        case kPalette:
            usable = chunks.palette != nullptr && length > 0 && length <= chunks.paletteEntries;
            break;
        default:
            break;  // a file with an alpha channel has no use for tRNS
    }
    if (usable) {
        transparencySeen = true;
        chunks.transparency = data;
        chunks.transparencyBytes = length;
    }
}

bool Reader::take(uint32_t type, const uint8_t* data, uint32_t length, bool crcGood, size_t begin,
                  size_t end) {
    if (type == kIHDR) {
        return takeHeader(data, length);
    }
    if (type == kIDAT) {
        if (!haveHeader || (chunks.colourType == kPalette && chunks.palette == nullptr)) {
            return false;
        }
        if (!afterRows) {
            if (!haveRows) {
                chunks.rowChunksBegin = begin;
            }
            chunks.rowChunksEnd = end;
            haveRows = true;
        }
        return true;
    }
    afterRows = haveRows;
    if (type == kIEND) {
        return haveRows;
    }
    if (afterRows) {
        return true;
    }
    if (type != kPLTE && !isAncillary(type)) {
        return false;  // a critical chunk libpng does not know
    }
    const bool handled = type == kPLTE || type == kTRNS || type == kGAMA || type == kSRGB;
    if (!haveHeader) {
        return !handled;  // those need the header; libpng skips others unread
    }
    if (type == kPLTE) {
        return takePalette(data, length);
    }
    // Ancillary chunks with a damaged CRC are dropped, as libpng does by default.
    if (!crcGood) {
        return true;
    }
    if (type == kTRNS) {
        takeTransparency(data, length);
    } else if (type == kGAMA && length == 4 && !havePalette) {
        space.takeGamma(bigEndian(data));
    } else if (type == kSRGB && length == 1 && !havePalette) {
        space.takeSrgb(data[0]);
    }
    return true;
}

}  // namespace

const uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

uint32_t pngChunkCrc(const uint8_t type[4], const uint8_t* data, size_t size) {
    return continueCrc(continueCrc(0xffffffffu, type, 4), data, size) ^ 0xffffffffu;
}

bool readPngChunks(const uint8_t* file, size_t size, PngChunks& chunks) {
    chunks = PngChunks{};
    if (file == nullptr || size < 8 || std::memcmp(file, kPngSignature, 8) != 0) {
        return false;
    }
    Reader reader{chunks, {}};
    size_t at = 8;
    for (;;) {
        if (size - at < 12) {
            return false;  // ends before IEND
        }
        const uint8_t* header = file + at;
        const uint32_t length = bigEndian(header);
        const uint8_t* typeBytes = header + 4;
        if (length > kMaxPngNumber || length > size - at - 12) {
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            if (!isLetter(typeBytes[i])) {
                return false;
            }
        }
        const uint8_t* data = header + 8;
        const bool crcGood = pngChunkCrc(typeBytes, data, length) == bigEndian(data + length);
        const uint32_t type = bigEndian(typeBytes);
        if (!crcGood && !isAncillary(type)) {
            return false;
        }
        const size_t end = at + 12 + length;
        if (!reader.take(type, data, length, crcGood, at, end)) {
            return false;
        }
        if (type == kIEND) {
            break;
        }
        at = end;
    }
    const ColourSpace& space = reader.space;
    chunks.srgb = space.srgb && !space.spoilt;
    chunks.gamma = space.haveGamma ? space.gamma : 0;
    return true;
}
