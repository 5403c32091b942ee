#pragma once
// The page around the picture where a browser shows the demo: what it tells the viewer besides
// the picture, and what its address asks for. Only a platform with a page implements these.

#include <cstdint>

// The card that starts the demo (a browser plays sound only after a click or a key), shown or
// hidden; hiding it is the page's own business when the viewer starts.
void pageShowStartCard(bool shown);
// A message in place of the picture, for when the demo cannot play at all.
void pageShowMessage(const char* text);
// Where the timeline bar stands: demo time and whether the player is paused.
void pageShowPosition(float seconds, bool paused);
// Ends full screen, if the page is in it.
void pageLeaveFullScreen();
// One line on the page's console, for whoever watches it (a test waits for one).
void pageLog(const char* line);

// The screen's size in device pixels, as large as the canvas becomes in full screen, at most 4K.
void pageScreenSize(int32_t& width, int32_t& height);

// What the address asks for: `?still=SECONDS`, one frame and nothing more, and `#t=SECONDS`,
// the moment to open at. Negative when not asked or not a number.
double pageStillSeconds();
double pageOpeningSeconds();
