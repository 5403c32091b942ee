#pragma once
// The demo's one-value curves under Curves/, each shaped by hand to the music of its scene. The
// keys live in code as plain tables; writeCurves turns each into the curve text format.

#include <string>
#include <vector>

#include "resources/curve.h"
#include "tools/generator/data_tree.h"

constexpr const char* kTunnelOverlayCurveFile = "Curves/Scene2_ts.txt";

// Strength of the tunnel's scrolling listings over the scene's 40 seconds (scene time 0 is
// demo time 85 s): a pulse on every bar of the music riding slow swells that follow its
// sections, up as the lead enters at 20 s, down to nothing through the breakdown from 35 s.
std::vector<CurvePoint> tunnelOverlayCurve();

// Writes every curve. False, with the file and the reason in `error`, at the first failure.
bool writeCurves(const DataTree& tree, std::string& error);
