#pragma once
// The offscreen 800x600 surface that every GL benchmark of a run shares, with the demo's
// render state, texture table and scenes prepared from the working folder's data tree.

#include <cstdio>
#include <cstdlib>

#include "app/demo.h"
#include "app/offscreen_context.h"
#include "app/random.h"

inline OffscreenContext& benchContext() {
    static OffscreenContext context;
    static const bool ready = [] {
        if (!context.create()) {
            std::fprintf(stderr, "no offscreen OpenGL: %s\n", context.error());
            std::exit(1);
        }
        seedRandom(1);
        prepareDemo();
        return true;
    }();
    (void)ready;
    return context;
}
