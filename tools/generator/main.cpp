// zentrox-data OUTDIR: writes the demo's data tree into OUTDIR, creating it when missing. Every
// family of content writes its own files; the same program writes the same bytes on every run.
// On failure it names the file or folder and the reason, and exits with status 1.

#include <chrono>
#include <cstdio>
#include <string>

#include "tools/generator/curves.h"
#include "tools/generator/data_tree.h"
#include "tools/generator/softface.h"
#include "tools/generator/deform_textures.h"
#include "tools/generator/deform.h"
#include "tools/generator/soundtrack.h"
#include "tools/generator/textures.h"

namespace {

struct ContentFamily {
    const char* name;
    bool (*write)(const DataTree& tree, std::string& error);
};

// clang-format off
constexpr ContentFamily kFamilies[] = {
    {"textures", writeTextures},
    {"soundtrack", writeSoundtrack},
    {"curves", writeCurves},
    {"deform textures", writeDeformTextures},
    {"deform", writeDeform},
    {"softface", writeSoftface},
};
// clang-format on

int failWith(const std::string& message) {
    std::fprintf(stderr, "zentrox-data: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        return failWith("expected one argument, the output folder\nusage: zentrox-data OUTDIR");
    }
    const DataTree tree(argv[1]);
    std::string error;
    if (!tree.prepare(error)) {
        return failWith(error);
    }
    for (const ContentFamily& family : kFamilies) {
        if (!family.write(tree, error)) {
            return failWith(std::string(family.name) + ": " + error);
        }
    }
    return 0;
}
