#pragma once
// Text files of the data tree read as the loaders expect them: line ends CR LF become LF (the
// files may come from Windows), and lines are cut as a 256-byte line buffer reads them, so a
// line longer than 255 characters goes on as a further line. A file ending with a line break
// has no empty last line.

#include <cstddef>
#include <string>

#include "resources/array.h"
#include "resources/string.h"

constexpr size_t kLineCapacity = 256;  // bytes, the terminator included
// NOTE: far above any file of the data tree; a larger one is read as empty, so a stray
// multi-gigabyte file cannot exhaust memory.
constexpr size_t kMaxTextBytes = 64u * 1024 * 1024;

// The whole file, CR LF turned into LF. False when it cannot be opened.
bool readTextFile(const String& name, std::string& text);

// The lines of a text, each with its LF when it had one; an embedded NUL ends a line's
// characters for every parser, as it would in a C buffer.
Array<String> splitLines(const std::string& text);

// readTextFile then splitLines. False when the file cannot be opened.
bool readTextLines(const String& name, Array<String>& lines);
