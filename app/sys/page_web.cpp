// The page's side lives in the page's own script (window.zentroxPage); these calls only reach it.

#include <emscripten.h>

#include "app/sys/page.h"

namespace {

EM_JS(void, jsShowStartCard, (bool shown), { zentroxPage.showStartCard(shown); });
EM_JS(void, jsShowMessage, (const char* text), { zentroxPage.showMessage(UTF8ToString(text)); });
EM_JS(void, jsShowPosition, (float seconds, bool paused),
      { zentroxPage.showPosition(seconds, paused); });
EM_JS(void, jsLeaveFullScreen, (), { zentroxPage.leaveFullScreen(); });
EM_JS(void, jsLog, (const char* line), { console.log(UTF8ToString(line)); });
EM_JS(double, jsRequestedSeconds, (const char* name),
      { return zentroxPage.requestedSeconds(UTF8ToString(name)); });

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

double pageStillSeconds() {
    return jsRequestedSeconds("still");
}

double pageOpeningSeconds() {
    return jsRequestedSeconds("t");
}
