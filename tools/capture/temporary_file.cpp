#include "tools/capture/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

std::string makeTemporaryFile(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& error) {
    std::string path = (std::filesystem::path(folder) / (prefix + "XXXXXX" + suffix)).string();
    const int descriptor = mkostemps(path.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (descriptor < 0) {
        error = std::strerror(errno);
        return "";
    }
    // NOTE: mkstemps makes the file private (0600); outputs are renamed into place, so they
    // get the mode any new file of the user's would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    return path;
}

std::string makePartialBeside(const std::string& output, std::string& error) {
    const std::filesystem::path path(output);
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "cannot write " + output + ": it is a directory";
        return "";
    }
    const std::string folder = path.parent_path().empty() ? "." : path.parent_path().string();
    std::string prefix = ".";
    prefix += path.filename().string();
    prefix += '.';
    std::string partial = makeTemporaryFile(folder, prefix, "", error);
    if (partial.empty()) {
        error = "cannot write " + output + ": " + error;
    }
    return partial;
}

void removeFile(std::string& path) {
    if (!path.empty()) {
        unlink(path.c_str());
        path.clear();
    }
}
