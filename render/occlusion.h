#pragma once
// Whether anything inside a box could still show: the box is tested against the depth buffer
// as drawn so far, in the current model-view and projection frame, with nothing written. The
// answer waits for the GL to finish the drawing before it, so it pays only where the box
// holds far more work than that wait.

#include "base/geometry.h"

// True only when no point of the box lies in front of what the depth buffer holds, or the
// box lies wholly outside the view; then nothing drawn inside it with the current depth
// test can change a pixel. False whenever that cannot be told for sure: a box that reaches
// the near plane (the eye may be inside it), an empty or non-finite box, no depth test.
bool boxIsHidden(const Box& box);
