#pragma once
// TGA decoding into an Image: uncompressed true-colour (type 2), uncompressed grey (type 3) and
// run-length true-colour (type 10). Rows stay in file order, which for the usual bottom-left
// origin is already bottom-up; BGR(A) becomes RGB(A).

#include "resources/image.h"

class TARGA : public Image {
public:
    // False for another image type or a file whose data falls short of its header, which
    // leaves the image empty. Never reads or writes past a buffer.
    bool load(Stream& stream) override;
};
