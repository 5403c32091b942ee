#pragma once
// Writers for the demo's text formats, so content can be authored in code: curves, camera
// paths and animation tracks (one key per line), ".rob" meshes and ".cfg" key/value files.
// Every writer produces what the demo's loader reads back to the same values: numbers are
// written with nine significant digits, which single precision round-trips exactly. A line
// the loaders' 256-byte buffer could not hold, or a value the key/value format cannot carry
// (a quote, a line break, more than 255 bytes), is refused with the reason.

#include <string>
#include <utility>
#include <vector>

#include "resources/curve.h"
#include "resources/mesh.h"
#include "resources/track_key.h"

using ConfigEntries = std::vector<std::pair<std::string, std::string>>;

bool writeCurveText(const std::vector<CurvePoint>& points, std::string& text, std::string& error);
// "t (eye) (target) (up)", blank-separated.
bool writeCameraPathText(const std::vector<TrackKey>& keys, std::string& text, std::string& error);
// "t\t(position)\t(rotation)\t(scale)", tab-separated.
bool writeAnimationText(const std::vector<TrackKey>& keys, std::string& text, std::string& error);
bool writeMeshText(const Mesh& mesh, std::string& text, std::string& error);
bool writeConfigText(const ConfigEntries& entries, std::string& text, std::string& error);
