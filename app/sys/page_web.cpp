// The page's side lives in the page's own script (window.zentroxPage); these calls only reach it.

#include <emscripten.h>

#include "app/sys/page.h"
#include "base/picture.h"

namespace {

// The bodies are JavaScript, which the formatter must leave alone.
// clang-format off
EM_JS(void, jsShowStartCard, (bool shown), { zentroxPage.showStartCard(shown); });
EM_JS(void, jsShowMessage, (const char* text), { zentroxPage.showMessage(UTF8ToString(text)); });
EM_JS(void, jsShowPosition, (float seconds, bool paused),
      { zentroxPage.showPosition(seconds, paused); });
EM_JS(void, jsLeaveFullScreen, (), { zentroxPage.leaveFullScreen(); });
EM_JS(void, jsLog, (const char* line), { console.log(UTF8ToString(line)); });
EM_JS(double, jsRequestedSeconds, (const char* name),
      { return zentroxPage.requestedSeconds(UTF8ToString(name)); });
EM_JS(double, jsScreenSide, (bool wide), {
    return (wide ? screen.width : screen.height) * (window.devicePixelRatio || 1);
});
// clang-format on

}  // namespace

void pageShowStartCard(bool shown) {
    jsShowStartCard(shown);
}

void pageShowMessage(const char* text) {
    jsShowMessage(text);
}

void pageShowPosition(float seconds, bool paused) {
    jsShowPosition(seconds, paused);
}

void pageLeaveFullScreen() {
    jsLeaveFullScreen();
}

void pageLog(const char* line) {
    jsLog(line);
}

void pageScreenSize(int32_t& width, int32_t& height) {
    const SurfaceSize size = cappedSurfaceSize(jsScreenSide(true), jsScreenSide(false));
    width = size.width;
    height = size.height;
}

double pageStillSeconds() {
    return jsRequestedSeconds("still");
}

double pageOpeningSeconds() {
    return jsRequestedSeconds("t");
}
