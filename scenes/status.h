#pragma once
// What crosses between the scenes and the rest of the demo: the music's mid level, which the
// spine writes every frame and the tunnel reads, and the status text that the tunnel writes and
// the window title shows after " - " (empty until the tunnel first renders).

#include "resources/string.h"

extern float midLevel;
extern String statusText;
