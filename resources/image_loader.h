#pragma once
// Picks the decoder for an image file by its extension ("png" or "tga", exactly, in lower
// case) and decodes the file.

#include <memory>

#include "resources/image.h"
#include "resources/string.h"

// What follows the last dot of the name, not counting a dot at index 0; a name without such a
// dot gives the name minus its first character.
String imageExtension(const String& name);

// A new image for a known extension whose file opens, decoded or, when decoding failed, left
// empty; null for an unknown extension or a file that cannot be opened.
std::unique_ptr<Image> loadImage(const String& name);

// The sides a picture file's header declares, read without decoding anything: for saying why
// a picture was refused. False when the file or its header cannot be read.
bool readDeclaredSize(const String& name, int64_t& width, int64_t& height);
