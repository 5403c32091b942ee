#pragma once
// The release every program of the project reports with --version.

#include <string>

// "<program> <version>\n", the version coming from the build (CMake's project version).
inline std::string versionLine(const char* program) {
    return std::string(program) + " " + ZENTROX_VERSION + "\n";
}
