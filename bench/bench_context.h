#pragma once
// The offscreen 800x600 surface that every GL benchmark of a run shares, with the demo's
// render state, texture table and scenes prepared from the working folder's data tree.

#include <cstdio>
#include <cstdlib>

#include "app/demo.h"
#include "app/sys/offscreen_context.h"
#include "resources/data_manifest.h"
#include "resources/texture_table.h"

inline OffscreenContext& benchContext() {
    static OffscreenContext context;
    static const bool ready = [] {
        if (!context.create()) {
            std::fprintf(stderr, "no offscreen OpenGL: %s\n", context.error());
            std::exit(1);
        }
        startDemo(demoTimeline(), 1);
        // Frames of a missing tree would time empty scenes and report nothing amiss.
        for (int32_t number = 1; number <= kImageTextureCount; ++number) {
            if (textureEntry(number).name() == 0) {
                std::fprintf(stderr, "%s did not load: run in the generated data tree\n",
                             kPictureFiles[static_cast<size_t>(number - 1)].name);
                std::exit(1);
            }
        }
        return true;
    }();
    (void)ready;
    return context;
}
