#include "resources/data_manifest.h"

namespace {

std::array<DataFile, kDataFileCount> inLoadOrder() {
    std::array<DataFile, kDataFileCount> files = {};
    size_t next = 0;
    const auto add = [&](const DataFile& file) { files[next++] = file; };
    for (const DataFile& picture : kPictureFiles) {
        add(picture);
    }
    add(kDeformTour);
    for (const DataFile& object : kDeformObjects) {
        add(object);
    }
    add(kDeformWireCurve);
    add(kTunnelCurve);
    for (const DataFile& shape : kSoftfaceShapes) {
        add(shape);
    }
    add(kSoftfaceEnvironment);
    add(kSoftfaceFlight);
    add(kSoftfaceBlurCurve);
    add(kMusic);
    return files;
}

}  // namespace

const std::array<DataFile, kDataFileCount>& dataManifest() {
    static const std::array<DataFile, kDataFileCount> files = inLoadOrder();
    return files;
}
