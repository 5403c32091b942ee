// zentrox-data OUTDIR: writes the demo's data tree into OUTDIR, creating it when missing. Every
// family of content writes its own files; the same program writes the same bytes on every run.
// zentrox-data --icon SIZE FILE paints the program's icon. On failure it names the file or
// folder and the reason, and exits with status 1; a wrong command line exits with status 2.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/version.h"

#include "tools/generator/curves.h"
#include "tools/generator/data_tree.h"
#include "tools/generator/softface.h"
#include "tools/generator/deform_textures.h"
#include "tools/generator/deform.h"
#include "tools/generator/icon.h"
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

constexpr const char* kUsage =
    "Usage: zentrox-data OUTDIR\n"
    "  or:  zentrox-data --icon SIZE FILE\n"
    "Writes the Zentrox demo's data tree into OUTDIR, creating it when missing: the pictures,\n"
    "the music, the curves and camera paths, the scenes' objects and shapes. The same program\n"
    "writes the same bytes on every run and machine; files are written whole or not at all.\n"
    "\n"
    "  --icon SIZE FILE  paint the program's icon, SIZE pixels square (16 to 1024), as a PNG\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "Exit status: 0 when everything was written, 1 when a file or folder could not be (it is\n"
    "named), 2 for a wrong command line.\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "zentrox-data: %s\n%s", message.c_str(), kUsage);
    return 2;
}

int writeTree(const char* root) {
    const DataTree tree(root);
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

int writeIconFile(const std::string& size, const std::string& path) {
    char* end = nullptr;
    const long pixels = std::strtol(size.c_str(), &end, 10);
    if (size.empty() || *end != '\0' || pixels < 16 || pixels > 1024 || path.empty()) {
        return usageError("--icon needs a size from 16 to 1024 and a file name");
    }
    std::string error;
    return writeIcon(path, static_cast<int32_t>(pixels), error) ? 0 : failWith(error);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::fputs(versionLine("zentrox-data").c_str(), stdout);
        return 0;
    }
    if (!arguments.empty() && arguments[0] == "--icon") {
        return arguments.size() == 3 ? writeIconFile(arguments[1], arguments[2])
                                     : usageError("--icon needs a size and a file name");
    }
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
        return usageError("expected one argument, the output folder");
    }
    return writeTree(arguments[0].c_str());
}
