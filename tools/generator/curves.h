#pragma once
// The demo's one-value curves under Curves/, each shaped by hand to the music of its scene. The
// keys live in code as plain tables; writeCurves turns each into the curve text format.

#include <string>
#include <vector>

#include "resources/curve.h"
#include "tools/generator/data_tree.h"

// Strength of the tunnel's scrolling listings over the scene's 40 seconds (scene time 0 is
// demo time 85 s): a pulse on every bar of the music riding slow swells that follow its
// sections, up as the lead enters at 20 s, down to nothing through the breakdown from 35 s.
std::vector<CurvePoint> tunnelOverlayCurve();

// Opacity of the laboratory's wireframe over the tour's 80 seconds (scene time 0 is demo time
// 10 s): nothing most of the time, rising over a bar as the camera comes past the window
// (15 to 27.5 s) and again as it closes in on the slinky (62.5 to 77.5 s), with an accent on every
// downbeat while it shows.
std::vector<CurvePoint> deformWireCurve();

// Strength b of the finale's radial blur over its 60 seconds (scene time 0 is demo time 120 s;
// each frame adds 16 copies zoomed by 1 up to 1 + 15 b / 16 at 1/16 each): strong as the
// breakdown opens, easing off within five seconds to a low base with a small pulse on every bar
// of the build, a sharp pulse at each change of act (12.75 s and the hit at 35 s), pulses
// growing through the snare roll from 30 s, smaller ones on the finale's bars, and exactly 0
// from 55 s, under the closing picture.
std::vector<CurvePoint> softfaceBlurCurve();

// Writes every curve. False, with the file and the reason in `error`, at the first failure.
bool writeCurves(const DataTree& tree, std::string& error);
