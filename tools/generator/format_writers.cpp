#include "tools/generator/format_writers.h"

#include <cctype>
#include <cstdio>

#include "resources/config_file.h"
#include "resources/text_file.h"

namespace {

// One line with its line end, or an error when the loaders could not read it whole.
bool appendLine(const char* format, std::string& text, std::string& error, auto... values) {
    char line[kLineCapacity * 2];
    const int length = std::snprintf(line, sizeof line, format, values...);
    if (length < 0 || static_cast<size_t>(length) + 1 > kLineCapacity - 1) {
        error = "a line of more than 254 characters: " + std::string(line);
        return false;
    }
    text += line;
    text += '\n';
    return true;
}

double wide(float value) {
    return static_cast<double>(value);
}

bool appendTrackKey(const char* format, const TrackKey& k, std::string& text, std::string& error) {
    return appendLine(format, text, error, wide(k.time), wide(k.first.x), wide(k.first.y),
                      wide(k.first.z), wide(k.second.x), wide(k.second.y), wide(k.second.z),
                      wide(k.third.x), wide(k.third.y), wide(k.third.z));
}

bool writeKeys(const char* format, const std::vector<TrackKey>& keys, std::string& text,
               std::string& error) {
    text.clear();
    for (const TrackKey& key : keys) {
        if (!appendTrackKey(format, key, text, error)) {
            return false;
        }
    }
    return true;
}

bool writePart(const MeshPart& part, std::string& text, std::string& error) {
    bool ok = appendLine("%s", text, error, "part") && appendLine("%s", text, error, "material") &&
              appendLine("%u", text, error, part.vertices.size());
    for (uint32_t i = 0; ok && i < part.vertices.size(); ++i) {
        const MeshVertex& v = part.vertices[i];
        const TexCoord uv = i < part.texCoords.size() ? part.texCoords[i] : TexCoord{0, 0};
        ok = appendLine("%.9g %.9g %.9g", text, error, wide(v.x), wide(v.y), wide(v.z)) &&
             appendLine("%.9g %.9g", text, error, wide(uv.s), wide(uv.t));
    }
    ok = ok && appendLine("%u", text, error, part.normals.size());
    for (const Normal& n : part.normals) {
        ok = ok && appendLine("%.9g %.9g %.9g", text, error, wide(n.x), wide(n.y), wide(n.z));
    }
    ok = ok && appendLine("%u", text, error, part.faces.size());
    for (const MeshFace& f : part.faces) {
        ok = ok && appendLine("%d %d %d", text, error, f.a, f.b, f.c) &&
             appendLine("%d %d %d", text, error, f.na, f.nb, f.nc) &&
             appendLine("%.9g %.9g %.9g", text, error, wide(f.triple[0]), wide(f.triple[1]),
                        wide(f.triple[2]));
    }
    return ok;
}

bool isKeyName(const std::string& key) {
    if (key.empty() || key.size() > kConfigTextLimit ||
        !std::isalpha(static_cast<unsigned char>(key[0]))) {
        return false;
    }
    for (const char c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool writeCurveText(const std::vector<CurvePoint>& points, std::string& text, std::string& error) {
    text.clear();
    for (const CurvePoint& point : points) {
        if (!appendLine("%.9g %.9g", text, error, wide(point.time), wide(point.value))) {
            return false;
        }
    }
    return true;
}

bool writeCameraPathText(const std::vector<TrackKey>& keys, std::string& text, std::string& error) {
    return writeKeys("%.9g (%.9g %.9g %.9g) (%.9g %.9g %.9g) (%.9g %.9g %.9g)", keys, text, error);
}

bool writeAnimationText(const std::vector<TrackKey>& keys, std::string& text, std::string& error) {
    return writeKeys("%.9g\t(%.9g\t%.9g\t%.9g)\t(%.9g\t%.9g\t%.9g)\t(%.9g\t%.9g\t%.9g)", keys, text,
                     error);
}

bool writeMeshText(const Mesh& mesh, std::string& text, std::string& error) {
    text = "TROB\n";
    bool ok = appendLine("%u", text, error, mesh.parts.size());
    for (const MeshPart& part : mesh.parts) {
        ok = ok && writePart(part, text, error);
    }
    return ok;
}

bool writeConfigText(const ConfigEntries& entries, std::string& text, std::string& error) {
    text.clear();
    for (const auto& [key, value] : entries) {
        if (!isKeyName(key)) {
            error = "'" + key + "' cannot be a key";
            return false;
        }
        if (value.size() > kConfigTextLimit || value.find_first_of("\"\n\r") != std::string::npos) {
            error = "the value of " + key + " cannot be written in quotes";
            return false;
        }
        text += key + " \"" + value + "\"\n";
    }
    return true;
}
