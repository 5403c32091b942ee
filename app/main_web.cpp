// The demo in a web browser: the page loads the data tree into the program's file system and
// then runs main, which loads the demo and hands the loop to the browser's animation frames.
// The page's controls reach the player through the three exported calls.

#include <emscripten.h>
#include <emscripten/html5.h>

#include "app/browser_player.h"

namespace {

// Lives as long as the page: the browser calls into it after main has returned.
BrowserPlayer player;

EM_BOOL onAnimationFrame(double, void*) {
    player.frame();
    return EM_TRUE;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void zentroxBegin() {
    player.begin();
}

EMSCRIPTEN_KEEPALIVE void zentroxSeek(double seconds) {
    player.seek(seconds);
}

EMSCRIPTEN_KEEPALIVE void zentroxLeave() {
    player.leave();
}

}  // extern "C"

int main() {
    player.start();
    emscripten_request_animation_frame_loop(onAnimationFrame, nullptr);
    return 0;
}
