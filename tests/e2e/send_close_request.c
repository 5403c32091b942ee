/* Asks the X11 window whose id is given to close, as a window manager does: a WM_PROTOCOLS
 * client message carrying WM_DELETE_WINDOW. Exits non-zero when the display or the window is
 * missing. */

#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: send_close_request WINDOW_ID\n");
        return 2;
    }
    char* end = NULL;
    const unsigned long window = strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0') {
        fprintf(stderr, "send_close_request: '%s' is not a window id\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "send_close_request: cannot open the display\n");
        return 1;
    }
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, (Window)window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
