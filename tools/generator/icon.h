#pragma once
// The program's icon for desktop menus: the tunnel's rings receding into a warm light, with
// the title's Z over them, on a dark rounded square. Square, RGBA, transparent outside the
// square's rounded corners; drawn at any size, so each size is sharp rather than scaled.

#include <cstdint>
#include <string>

#include "tools/generator/pixmap.h"

class TextRenderer;

// The icon `size` pixels square (16 to 1024).
Pixmap paintIcon(TextRenderer& bold, int32_t size);

// Paints the icon and writes it as a PNG file. False, with the file and the reason in `error`,
// when the size is out of range, the font cannot be loaded or the file cannot be written.
bool writeIcon(const std::string& path, int32_t size, std::string& error);
