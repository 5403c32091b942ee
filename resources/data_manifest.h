#pragma once
// Every file the demo reads by a name of its own, in the order it reads them, with the kind of
// file each is: the pictures of the texture table, each scene's files as its load reads them,
// then the music. A scene object's configuration names further files (mesh, pictures,
// animation), which the demo reads right after it. Names are as the program writes them, some
// with a backslash, as stored; dataPath turns them into paths. The texture table, the scenes,
// the data-tree check and the generator all read this one list.

#include <array>
#include <cstddef>

enum class DataKind { Picture, Mesh, Curve, CameraPath, Animation, Configuration, Music };

struct DataFile {
    const char* name;
    DataKind kind;
};

// The pictures of texture-table entries 1..16, in entry order.
inline constexpr std::array<DataFile, 16> kPictureFiles = {{
    {"Textures/EnvX.png", DataKind::Picture},
    {"Textures/EnvY.png", DataKind::Picture},
    {"Textures/Sky.png", DataKind::Picture},
    {"Textures/Welcome.png", DataKind::Picture},
    {"Textures/Particle.png", DataKind::Picture},
    {"Textures/srcfilea.png", DataKind::Picture},
    {"Textures/srcfileb.png", DataKind::Picture},
    {"Textures/lines.png", DataKind::Picture},
    {"Textures/frame169.png", DataKind::Picture},
    {"Textures/theend.png", DataKind::Picture},
    {"Textures/Text/and.png", DataKind::Picture},
    {"Textures/Text/zentrox.png", DataKind::Picture},
    {"Textures/Text/rq73.png", DataKind::Picture},
    {"Textures/Text/telun.png", DataKind::Picture},
    {"Textures/Text/present.png", DataKind::Picture},
    {"Textures/Text/morva.png", DataKind::Picture},
}};

// Deform: the camera tour, the fifteen objects of the laboratory in array order, the
// wireframe's opacity.
inline constexpr DataFile kDeformTour = {"Cameras/Scene2_Tour.txt", DataKind::CameraPath};
inline constexpr std::array<DataFile, 15> kDeformObjects = {{
    {"Complex/xlab/common/holder.cfg", DataKind::Configuration},
    {"Complex/xlab/common/metall.cfg", DataKind::Configuration},
    {"Complex/xlab/common/tunnel.cfg", DataKind::Configuration},
    {"Complex/xlab/common/wood.cfg", DataKind::Configuration},
    {"Complex/xlab/common/stone.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/floor.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/roof.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/strange.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/walk.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/walls.cfg", DataKind::Configuration},
    {"Complex/xlab/room1/window.cfg", DataKind::Configuration},
    {"Complex/xlab/room2/floor.cfg", DataKind::Configuration},
    {"Complex/xlab/room2/roof.cfg", DataKind::Configuration},
    {"Complex/xlab/room2/slinky.cfg", DataKind::Configuration},
    {"Complex/xlab/room2/walls.cfg", DataKind::Configuration},
}};
inline constexpr DataFile kDeformWireCurve = {"Curves/Scene1_wf.txt", DataKind::Curve};

// Tunnel: the strength of the scrolling listings.
inline constexpr DataFile kTunnelCurve = {"Curves/Scene2_ts.txt", DataKind::Curve};

// Softface: the four shapes the cube cloud morphs through (the figures 27, a cube, an arrow, a
// circle), the environment object, the camera flight, the radial blur's amount.
inline constexpr std::array<DataFile, 4> kSoftfaceShapes = {{
    {"Objects\\Scene1_27C27.rob", DataKind::Mesh},
    {"Objects\\Scene1_27CCube.rob", DataKind::Mesh},
    {"Objects\\Scene1_27CArrow.rob", DataKind::Mesh},
    {"Objects\\Scene1_27CCircle.rob", DataKind::Mesh},
}};
inline constexpr DataFile kSoftfaceEnvironment = {"Complex/sf/env.cfg", DataKind::Configuration};
inline constexpr DataFile kSoftfaceFlight = {"Cameras\\Scene1_FlyLikeMad.txt",
                                             DataKind::CameraPath};
inline constexpr DataFile kSoftfaceBlurCurve = {"Curves\\Scene1_RadialBlur.txt", DataKind::Curve};

// The music, opened once the scenes are loaded.
inline constexpr DataFile kMusic = {"Sounds/Crunch.mp3", DataKind::Music};

inline constexpr size_t kDataFileCount =
    kPictureFiles.size() + 1 + kDeformObjects.size() + 1 + 1 + kSoftfaceShapes.size() + 3 + 1;

// All of the above in the order the demo reads them.
const std::array<DataFile, kDataFileCount>& dataManifest();
