#include "tools/capture/data_tree_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "resources/animation_track.h"
#include "resources/camera_path.h"
#include "resources/config_file.h"
#include "resources/curve.h"
#include "resources/data_manifest.h"
#include "resources/data_path.h"
#include "resources/image_loader.h"
#include "resources/mesh.h"
#include "resources/mp3_track.h"
#include "resources/scene_object.h"

namespace {

// Empty when the file can be opened for reading; otherwise the outcome's reason.
bool openable(const std::string& path, FileOutcome& outcome, std::string& reason) {
    std::error_code code;
    if (!std::filesystem::exists(path, code)) {
        outcome = FileOutcome::Missing;
        return false;
    }
    if (std::filesystem::is_directory(path, code)) {
        outcome = FileOutcome::Unreadable;
        reason = "a folder, not a file";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        outcome = FileOutcome::Unreadable;
        reason = std::strerror(errno);
        return false;
    }
    std::fclose(file);
    return true;
}

// Empty when the loader takes the file; otherwise why it does not.
std::string rejection(DataKind kind, const char* name) {
    switch (kind) {
        case DataKind::Picture: {
            const std::unique_ptr<Image> image = loadImage(name);
            return image && image->data ? "" : "not a PNG or TGA picture the decoders accept";
        }
        case DataKind::Mesh: {
            Mesh mesh;
            return loadMesh(mesh, name) ? "" : "does not start with the magic word TROB";
        }
        case DataKind::Curve: {
            Curve curve;
            return curve.load(name) && !curve.points.empty() ? "" : "no keys";
        }
        case DataKind::CameraPath: {
            CameraPath path;
            return path.load(name) && !path.keys.empty() ? "" : "no keys";
        }
        case DataKind::Animation: {
            AnimationTrack track;
            return track.load(name) && !track.keys.empty() ? "" : "no keys";
        }
        case DataKind::Configuration: {
            ConfigFile config;
            return config.load(name) == 0 && config.size() > 0 ? "" : "no keys";
        }
        case DataKind::Music: {
            DecodedTrack track;
            return decodeMp3(name, track) && track.frames() > 0 ? ""
                                                                : "not an MP3 the decoder can play";
        }
    }
    return "";
}

class Checker {
public:
    void check(DataKind kind, const std::string& name) {
        CheckedFile file = {name, FileOutcome::Loaded, ""};
        const std::string path = dataPath(name.c_str()).c_str();
        if (openable(path, file.outcome, file.reason)) {
            file.reason = rejection(kind, name.c_str());
            if (!file.reason.empty()) {
                file.outcome = FileOutcome::Rejected;
            }
        }
        files.push_back(file);
    }

    // A scene object's configuration, then the files it names in the order they load.
    void checkObject(const std::string& name) {
        check(DataKind::Configuration, name);
        ConfigFile config;
        config.load(name.c_str());
        for (const FileKey& named : kFileKeys) {
            const std::string file = config.get(named.key, "");
            if (!file.empty()) {
                check(named.kind, file);
            }
        }
    }

    std::vector<CheckedFile> files;
};

const char* outcomeWord(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Loaded:
            return "loaded";
        case FileOutcome::Missing:
            return "missing";
        case FileOutcome::Unreadable:
            return "unreadable";
        case FileOutcome::Rejected:
            return "rejected";
    }
    return "";
}

}  // namespace

std::vector<CheckedFile> checkDataTree() {
    Checker checker;
    for (const DataFile& file : dataManifest()) {
        if (file.kind == DataKind::Configuration) {
            checker.checkObject(file.name);
        } else {
            checker.check(file.kind, file.name);
        }
    }
    return checker.files;
}

std::string describeCheck(const std::vector<CheckedFile>& files) {
    std::string text;
    for (const CheckedFile& file : files) {
        char word[16];
        std::snprintf(word, sizeof word, "%-11s", outcomeWord(file.outcome));
        text += word + file.name;
        if (!file.reason.empty()) {
            text += ": " + file.reason;
        }
        text += '\n';
    }
    return text;
}

bool everyFileLoaded(const std::vector<CheckedFile>& files) {
    for (const CheckedFile& file : files) {
        if (file.outcome != FileOutcome::Loaded) {
            return false;
        }
    }
    return true;
}
