#include "platform/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnJpegError(j_common_ptr info) {
    // libjpeg is C: leave it by longjmp, never by a C++ exception.
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

// Only plain data between setjmp and longjmp: nothing here has a destructor.
bool DecodeInto(const unsigned char* data, size_t size, std::vector<unsigned char>& rgb, int& width, int& height) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(info.output_scanline) * static_cast<size_t>(width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

DecodedImage DecodeJpeg(const unsigned char* data, size_t size) {
    DecodedImage image;
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    if (!data || size == 0 || !DecodeInto(data, size, rgb, width, height) || width <= 0 || height <= 0) return image;
    void* bits = nullptr;
    image.pixels = CreateTopDownDib(nullptr, width, height, &bits);
    if (!image.pixels) return image;
    auto* out = static_cast<unsigned char*>(bits);
    for (size_t i = 0, n = static_cast<size_t>(width) * static_cast<size_t>(height); i < n; ++i) {
        out[i * 4 + 0] = rgb[i * 3 + 2];
        out[i * 4 + 1] = rgb[i * 3 + 1];
        out[i * 4 + 2] = rgb[i * 3 + 0];
        out[i * 4 + 3] = 0xFF;
    }
    image.width = width;
    image.height = height;
    return image;
}

DecodedImage LoadJpegResource(int resourceId) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return DecodeJpeg(static_cast<const unsigned char*>(data), SizeofResource(module, found));
}
