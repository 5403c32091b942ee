#pragma once
// The data-tree check for people who bring their own data: every file the demo reads, in the
// order it reads them (a scene object's configuration followed by the files it names), each
// with what became of it. The demo itself stays silent about bad data; this says it aloud.
// Reads files relative to the working directory, as the demo does; needs no GL context.

#include <string>
#include <vector>

enum class FileOutcome { Loaded, Missing, Unreadable, Rejected };

struct CheckedFile {
    std::string name;  // as the demo names it
    FileOutcome outcome;
    std::string reason;  // empty when loaded
};

std::vector<CheckedFile> checkDataTree();

// One line per file: "loaded    Textures/EnvX.png", "rejected  Objects/x.rob: no TROB ...".
std::string describeCheck(const std::vector<CheckedFile>& files);
// Whether every file was loaded.
bool everyFileLoaded(const std::vector<CheckedFile>& files);

// Whether the folder holds any file the demo reads: a folder that holds none is no data tree,
// and the capture tool then falls back to the installed one.
bool holdsDataTree(const std::string& folder);
