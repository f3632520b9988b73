// Decodes a JPEG held in memory (or in the program's resources) with libjpeg into a
// 32-bpp top-down bitmap.
#pragma once

#include <windows.h>

#include "ui/canvas.h"

struct DecodedImage {
    Bitmap pixels;
    int width = 0;
    int height = 0;
};

// Empty result (no bitmap) when the data is not a readable JPEG.
DecodedImage DecodeJpeg(const unsigned char* data, size_t size);
DecodedImage LoadJpegResource(int resourceId);
