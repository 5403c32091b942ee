#include "tools/capture/data_tree_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "resources/animation_track.h"
#include "resources/camera_path.h"
#include "resources/config_file.h"
#include "resources/curve.h"
#include "resources/data_file.h"
#include "resources/data_manifest.h"
#include "resources/data_path.h"
#include "resources/image_loader.h"
#include "resources/mesh.h"
#include "resources/mp3_track.h"
#include "resources/scene_object.h"
#include "resources/text_file.h"

namespace {

// Whether the file can be opened for reading; otherwise the outcome and its reason. Opens
// nothing that could block: a FIFO, a socket or a device is named, not read.
bool openable(const std::string& path, FileOutcome& outcome, std::string& reason) {
    const FileType type = fileTypeOf(path.c_str());
    if (type == FileType::Missing) {
        outcome = FileOutcome::Missing;
        return false;
    }
    if (type != FileType::Regular) {
        outcome = FileOutcome::Unreadable;
        reason = std::string(describeFileType(type)) + ", not a regular file";
        return false;
    }
    errno = 0;
    if (!openRegularFile(path.c_str())) {
        outcome = FileOutcome::Unreadable;
        reason = errno != 0 ? std::strerror(errno) : "cannot be opened";
        return false;
    }
    return true;
}

std::string sizeText(int64_t width, int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// Why a picture the decoders refused was refused.
std::string pictureRejection(const char* name) {
    int64_t width = 0;
    int64_t height = 0;
    if (readDeclaredSize(name, width, height) && !imageWithinBudget(width, height) && width > 0 &&
        height > 0) {
        return "too large: " + sizeText(width, height) + ", over the budget of " +
               std::to_string(kMaxImagePixels) + " pixels";
    }
    return "not a PNG or TGA picture the decoders accept";
}

// Why a text file the loader refused was refused.
std::string textRejection(const std::string& path) {
    std::error_code code;
    const uintmax_t bytes = std::filesystem::file_size(path, code);
    if (!code && bytes > kMaxTextBytes) {
        return "too large: " + std::to_string(bytes) + " bytes, over the budget of " +
               std::to_string(kMaxTextBytes) + " bytes for a text file";
    }
    return "no keys";
}

// Empty when the loader takes the file; otherwise why it does not.
std::string rejection(DataKind kind, const char* name, const std::string& path) {
    switch (kind) {
        case DataKind::Picture: {
            const std::unique_ptr<Image> image = loadImage(name);
            return image && image->data ? "" : pictureRejection(name);
        }
        case DataKind::Mesh: {
            Mesh mesh;
            return loadMesh(mesh, name) ? "" : "does not start with the magic word TROB";
        }
        case DataKind::Curve: {
            Curve curve;
            return curve.load(name) && !curve.points.empty() ? "" : textRejection(path);
        }
        case DataKind::CameraPath: {
            CameraPath camera;
            return camera.load(name) && !camera.keys.empty() ? "" : textRejection(path);
        }
        case DataKind::Animation: {
            AnimationTrack track;
            return track.load(name) && !track.keys.empty() ? "" : textRejection(path);
        }
        case DataKind::Configuration: {
            ConfigFile config;
            return config.load(name) == 0 && config.size() > 0 ? "" : textRejection(path);
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
            file.reason = rejection(kind, name.c_str(), path);
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

bool holdsDataTree(const std::string& folder) {
    for (const DataFile& file : dataManifest()) {
        const std::string path = folder + "/" + dataPath(file.name).c_str();
        if (fileTypeOf(path.c_str()) != FileType::Missing) {
            return true;
        }
    }
    return false;
}
