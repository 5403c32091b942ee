#pragma once
// The capture's temporary files: new empty files made safely (mkstemps), and the hidden
// partial file beside an output that is renamed over it once whole, so that an output path
// never holds a half-written file.

#include <string>

// $TMPDIR when set and not empty, else /tmp.
std::string temporaryFolder();

// A new empty file "<folder>/<prefix>XXXXXX<suffix>" with the mode a new file of the user's
// gets; its path, or empty with the reason in `error`.
std::string makeTemporaryFile(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& error);

// A hidden new file beside `output` (".<name>.XXXXXX"), on the same file system so the rename
// into place cannot fail for that; its path, or empty with "cannot write <output>: <why>" in
// `error`, also when the output is a directory.
std::string makePartialBeside(const std::string& output, std::string& error);

// Removes the file, if the path is not empty, and empties the path.
void removeFile(std::string& path);
