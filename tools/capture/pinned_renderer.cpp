#include "tools/capture/pinned_renderer.h"

#include <unistd.h>

#include <cstdlib>

namespace {

// glvnd's description of Mesa's EGL; naming it alone keeps any other vendor's EGL (a GPU's)
// from being tried first.
constexpr const char* kMesaVendor = "/usr/share/glvnd/egl_vendor.d/50_mesa.json";

}  // namespace

std::vector<RendererSetting> pinnedRendererSettings() {
    return {
        {"LIBGL_ALWAYS_SOFTWARE", "1"},
        {"LP_NATIVE_VECTOR_WIDTH", "256"},
        {"__EGL_VENDOR_LIBRARY_FILENAMES", kMesaVendor},
    };
}

bool pinRenderer(std::string& error) {
    if (access(kMesaVendor, R_OK) != 0) {
        error = std::string("cannot pin the renderer: Mesa's EGL is not installed (") +
                kMesaVendor + ", Debian package libegl-mesa0)";
        return false;
    }
    for (const RendererSetting& setting : pinnedRendererSettings()) {
        setenv(setting.name.c_str(), setting.value.c_str(), 1);
    }
    return true;
}

std::string describePinnedRenderer() {
    std::string lines;
    for (const RendererSetting& setting : pinnedRendererSettings()) {
        lines += "pinned " + setting.name + "=" + setting.value + "\n";
    }
    return lines;
}
