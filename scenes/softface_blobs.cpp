#include "scenes/softface_blobs.h"

#include <cmath>

namespace {

// 0.5 + amplitude * cos(rate * t), or sin for the axes marked so; rates in radians per second.
struct SoftfaceAxisPath {
    float amplitude;
    float rate;
    bool sine;
};

constexpr float kSoftfaceStrengths[4] = {0.5f, 0.4f, -0.3f, -0.2f};
constexpr SoftfaceAxisPath kSoftfacePaths[4][3] = {
    {{0.2f, -2.0f, false}, {0.1f, -4.0f, true}, {0.03f, 1.8f, true}},
    {{0.22f, 5.2f, false}, {0.33f, 2.0f, true}, {0.11f, 3.8f, false}},
    {{0.33f, -4.0f, false}, {0.22f, -3.2f, true}, {0.05f, 2.8f, true}},
    {{0.55f, 3.0f, false}, {0.33f, 2.2f, true}, {0.06f, 4.6f, false}},
};

float pathCoordinate(const SoftfaceAxisPath& path, float t) {
    const float angle = path.rate * t;
    return 0.5f + path.amplitude * (path.sine ? std::sin(angle) : std::cos(angle));
}

}  // namespace

void configureSoftfaceMetaballs(Metaballs& metaballs) {
    metaballs.cellsPerAxis = kSoftfaceCellsPerAxis;
    metaballs.cellSize = kSoftfaceCellSize;
    metaballs.iso = kSoftfaceIso;
    metaballs.cells.resize(kSoftfaceCellsPerAxis * kSoftfaceCellsPerAxis * kSoftfaceCellsPerAxis);
    metaballs.balls.resize(4);
    for (uint32_t i = 0; i < 4; ++i) {
        metaballs.balls[i] = {0.5f, 0.5f, 0.5f, kSoftfaceStrengths[i]};
    }
    metaballs.boxes.resize(1);
    metaballs.boxes[0] = {0.5f, 0.5f, 0.5f, 1.2f};
    placeSoftfaceBalls(metaballs, 0.0f);
}

void placeSoftfaceBalls(Metaballs& metaballs, float t) {
    for (uint32_t i = 0; i < 4 && i < metaballs.balls.size(); ++i) {
        MetaSource& ball = metaballs.balls[i];
        ball.x = pathCoordinate(kSoftfacePaths[i][0], t);
        ball.y = pathCoordinate(kSoftfacePaths[i][1], t);
        ball.z = pathCoordinate(kSoftfacePaths[i][2], t);
    }
}
