#include "resources/image_loader.h"

#include "resources/file.h"
#include "resources/png.h"
#include "resources/targa.h"

String imageExtension(const String& name) {
    const char* text = name.c_str();
    int32_t dot = name.size() - 1;
    while (dot > 0 && text[dot] != '.') {
        --dot;
    }
    if (dot <= 0) {
        return name.size() > 0 ? String(text + 1) : String();
    }
    return String(text + dot + 1);
}

std::unique_ptr<Image> loadImage(const String& name) {
    File file;
    if (!file.open(name)) {
        return nullptr;
    }
    const String extension = imageExtension(name);
    std::unique_ptr<Image> image;
    if (extension == "png") {
        image = std::make_unique<PNG>();
    } else if (extension == "tga") {
        image = std::make_unique<TARGA>();
    } else {
        return nullptr;
    }
    // A picture that failed to decode is still handed back, empty, as the texture expects.
    image->load(file);
    return image;
}
