// make_hostile_tree CASE SOURCE DEST: writes into DEST a damaged copy of the data tree SOURCE,
// every file damaged the same way, so the demo's loaders meet each kind of bad data at once.
// Cases: zero (every file empty), half (truncated to half its size), random (bytes of a fixed
// pseudo-random sequence, same size), folders (an empty folder where each file was), absurd
// (well-formed headers with absurd counts and sizes). Two cases damage a few files and copy the
// rest: bomb (the title picture a valid PNG of 16384 x 16384 black RGB pixels, under 1 MB,
// that decodes to 805 MB) and special (files that are not regular files: a FIFO for the tunnel's
// wall, a link to /dev/zero for the tunnel's curve, a socket for the music; and a link to a
// regular copy for the sky, which must still load). The same case always writes the same
// bytes, so a failure can be reproduced.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
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

// A valid PNG of side x side 8-bit RGB pixels, all black: every row a filter byte and zeros,
// deflated as a stream so the whole picture is never held.
Bytes bombPng(uint32_t side) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    appendBigEndian(header, side);
    appendBigEndian(header, side);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    appendChunk(png, "IHDR", header);
    z_stream stream = {};
    deflateInit(&stream, 9);
    const Bytes row(size_t{side} * 3 + 1, 0);
    Bytes compressed;
    uint8_t out[1 << 16];
    for (uint32_t y = 0; y <= side; ++y) {
        const bool last = y == side;
        stream.next_in = const_cast<uint8_t*>(row.data());
        stream.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            stream.next_out = out;
            stream.avail_out = sizeof out;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.insert(compressed.end(), out, out + (sizeof out - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", {});
    return png;
}

bool makeSocket(const fs::path& path) {
    const int descriptor = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const bool bound = descriptor >= 0 &&
                       bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (descriptor >= 0) {
        close(descriptor);
    }
    return bound;
}

// A few files of the tree turned into what a loader must not read; the rest copied.
bool special(const fs::path& from, const fs::path& relative, const fs::path& to) {
    const std::string name = relative.generic_string();
    std::error_code code;
    if (name == "Textures/EnvX.png") {
        return mkfifo(to.c_str(), 0644) == 0;
    }
    if (name == "Curves/Scene2_ts.txt") {
        fs::create_symlink("/dev/zero", to, code);
        return !code;
    }
    if (name == "Sounds/Crunch.mp3") {
        return makeSocket(to);
    }
    if (name == "Textures/Sky.png") {
        fs::path copy = to;
        copy += ".real";
        fs::create_symlink(copy.filename(), to, code);
        return !code && fs::copy_file(from, copy, code);
    }
    return fs::copy_file(from, to, code);
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
    const Bytes original = kind == "special" ? Bytes() : readWhole(from);
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
    if (kind == "bomb") {
        return writeWhole(
            to, relative.generic_string() == "Textures/Welcome.png" ? bombPng(16384) : original);
    }
    if (kind == "special") {
        return special(from, relative, to);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: make_hostile_tree zero|half|random|folders|absurd|bomb|special SOURCE "
                     "DEST\n");
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
