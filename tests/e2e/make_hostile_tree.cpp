// make_hostile_tree CASE SOURCE DEST: writes into DEST a damaged copy of the data tree SOURCE,
// every file damaged the same way, so the demo's loaders meet each kind of bad data at once.
// Cases: zero (every file empty), half (truncated to half its size), random (bytes of a fixed
// pseudo-random sequence, same size), folders (an empty folder where each file was), absurd
// (well-formed headers with absurd counts and sizes). The same case always writes the same
// bytes, so a failure can be reproduced.

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool writeWhole(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void appendBigEndian(Bytes& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void appendChunk(Bytes& png, const char* type, const Bytes& data) {
    appendBigEndian(png, static_cast<uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    appendBigEndian(png, static_cast<uint32_t>(crc32(0, typed.data(), typed.size())));
}

// A PNG whose header claims 65535 x 65535 RGBA pixels, with a few bytes of image data.
Bytes hugePng() {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    appendBigEndian(header, 65535);
    appendBigEndian(header, 65535);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", {0x78, 0x9c, 0x63, 0x60, 0x00, 0x00});
    appendChunk(png, "IEND", {});
    return png;
}

// A run-length TGA of 65535 x 65535 true-colour pixels with one packet.
Bytes hugeTga() {
    Bytes tga = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 24, 0};
    tga.insert(tga.end(), {0xff, 1, 2, 3});
    return tga;
}

std::string hugeLine() {
    return std::string(100000, '7') + "\n";
}

// Text a track, curve, mesh or configuration loader reads, with absurd numbers and counts.
Bytes absurdText(const fs::path& relative) {
    const std::string extension = relative.extension().string();
    if (extension == ".rob") {
        return textBytes(
            "TROB\n2000000000\npart\nmaterial\n2000000000\n1e38 -1e38 nan\n0 0\n"
            "-5\n2147483647\n0 1 2\n-2147483648 7 9\n" +
            hugeLine());
    }
    if (extension == ".cfg") {
        return textBytes("ObjectFile \"" + relative.generic_string() + "\"\nTextureFile \"" +
                         std::string(5000, 'x') + "\"\nAnimationFile \"" +
                         relative.generic_string() + "\"\n" + "AnimationMode \"AF_TWIST\n" +
                         hugeLine());
    }
    return textBytes(
        "1e38 1e38\n-1e38 (nan inf -inf) (1e38 1e38 1e38) (0 0 0)\n"
        "inf\t(1\t2\t3)\t(4\t5\t6)\n" +
        hugeLine() + "0 1\n-0 -1\n");
}

Bytes absurdContent(const fs::path& relative) {
    const std::string extension = relative.extension().string();
    if (extension == ".png") {
        return hugePng();
    }
    if (extension == ".tga") {
        return hugeTga();
    }
    if (extension == ".mp3") {
        Bytes frames;
        for (int i = 0; i < 4096; ++i) {
            frames.insert(frames.end(), {0xff, 0xfb, 0x90, 0x64});  // headers with no data
        }
        return frames;
    }
    return absurdText(relative);
}

Bytes pseudoRandom(size_t count, uint32_t& state) {
    Bytes bytes(count);
    for (uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

bool damage(const std::string& kind, const fs::path& from, const fs::path& relative,
            const fs::path& to, uint32_t& state) {
    const Bytes original = readWhole(from);
    if (kind == "zero") {
        return writeWhole(to, {});
    }
    if (kind == "half") {
        return writeWhole(to, Bytes(original.begin(), original.begin() + original.size() / 2));
    }
    if (kind == "random") {
        return writeWhole(to, pseudoRandom(original.size(), state));
    }
    if (kind == "folders") {
        std::error_code code;
        return fs::create_directories(to, code) || fs::is_directory(to);
    }
    if (kind == "absurd") {
        return writeWhole(to, absurdContent(relative));
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: make_hostile_tree zero|half|random|folders|absurd SOURCE DEST\n");
        return 2;
    }
    const std::string kind = argv[1];
    const fs::path source = argv[2];
    const fs::path destination = argv[3];
    uint32_t state = 12345u;
    std::error_code code;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source, code)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), source);
        const fs::path target = destination / relative;
        fs::create_directories(target.parent_path());
        if (!damage(kind, entry.path(), relative, target, state)) {
            std::fprintf(stderr, "make_hostile_tree: cannot write %s (case %s)\n", target.c_str(),
                         kind.c_str());
            return 1;
        }
    }
    if (code) {
        std::fprintf(stderr, "make_hostile_tree: cannot read %s: %s\n", source.c_str(),
                     code.message().c_str());
        return 1;
    }
    return 0;
}
