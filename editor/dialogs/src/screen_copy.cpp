#include "zel/dialogs/screen_copy.h"

namespace zel::dialogs {

int screen_row_bytes(int width) {
    return width > 0 ? (width * 3 + 3) / 4 * 4 : 0;
}

std::vector<unsigned char> screen_bits_from_pixels(_pixel* const* pixels, int width, int height,
                                                   unsigned char pad) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    const int stride = screen_row_bytes(width);
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * height, pad);
    for (int y = 0; y < height; ++y) {
        unsigned char* out = bits.data() + static_cast<size_t>(y) * stride;
        const _pixel* row = pixels[y];
        for (int x = 0; x < width; ++x) {
            *out++ = row[x].b;
            *out++ = row[x].g;
            *out++ = row[x].r;
        }
    }
    return bits;
}

std::vector<unsigned char> screen_bits_from_drawing(unsigned char* const* drawing, int width,
                                                    int height, unsigned char pad) {
    if (drawing == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    const int stride = screen_row_bytes(width);
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * height, pad);
    for (int y = 0; y < height; ++y) {
        unsigned char* out = bits.data() + static_cast<size_t>(y) * stride;
        const unsigned char* row = drawing[y];
        for (int x = 0; x < width; ++x) {
            const auto value = static_cast<unsigned char>(row[x] * 192);
            *out++ = value;
            *out++ = value;
            *out++ = value;
        }
    }
    return bits;
}

void drawing_from_screen_bits(const unsigned char* bits, int width, int height,
                              unsigned char* const* drawing) {
    if (bits == nullptr || drawing == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const int stride = screen_row_bytes(width);
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = bits + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            drawing[y][x] = static_cast<unsigned char>((in[3 * x] + 1) / 192);
        }
    }
}

BITMAPINFOHEADER screen_info(int width, int height) {
    BITMAPINFOHEADER info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = 0;
    info.biSizeImage = static_cast<DWORD>(screen_row_bytes(width)) * static_cast<DWORD>(height);
    return info;
}

} // namespace zel::dialogs
